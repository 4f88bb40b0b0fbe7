// RecogniseIcon: the box's icon control compared, pixel by pixel, with the standard icons drawn here.
#include "e2e/BoxIcon.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

// The control of a message box that shows its icon.
HWND IconControl(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static" &&
            (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == static_cast<LONG>(SS_ICON))
            return child;
    }
    return nullptr;
}

// An icon drawn at a size: a pixel counts where the icon covers it fully, which is where drawing
// over black and over white gives the same colour.
struct IconPicture {
    std::vector<COLORREF> colours;
    std::vector<bool> opaque;
};

IconPicture DrawnIcon(HICON icon, int width, int height)
{
    IconPicture picture;
    std::array<std::vector<COLORREF>, 2> over;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    for (int pass = 0; pass < 2; ++pass) {
        RECT all = {0, 0, width, height};
        ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(pass == 0 ? BLACK_BRUSH : WHITE_BRUSH)));
        ::DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                over[pass].push_back(::GetPixel(memory, x, y));
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    picture.colours = over[0];
    for (size_t i = 0; i < over[0].size(); ++i)
        picture.opaque.push_back(over[0][i] == over[1][i]);
    return picture;
}

// What the screen shows where the control is.
std::vector<COLORREF> ScreenPixels(HWND control, int& width, int& height)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    HDC screen = ::GetDC(nullptr);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(::GetPixel(screen, rect.left + x, rect.top + y));
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

const char* BoxIconName(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None:
        return "no icon";
    case BoxIcon::Error:
        return "error";
    case BoxIcon::Warning:
        return "warning";
    case BoxIcon::Information:
        return "information";
    case BoxIcon::Question:
        return "question";
    default:
        return "unrecognised";
    }
}

// Icon handles belong to the process that loaded them, so the box's icon is told by its pixels:
// the standard icon whose opaque pixels the screen shows (nearly) all of.
BoxIcon RecogniseIcon(HWND box)
{
    HWND control = IconControl(box);
    if (!control || !::IsWindowVisible(control))
        return BoxIcon::None;
    int width = 0, height = 0;
    const std::vector<COLORREF> shown = ScreenPixels(control, width, height);
    if (width <= 0 || height <= 0)
        return BoxIcon::None;
    const std::pair<BoxIcon, LPCWSTR> candidates[] = {
        {BoxIcon::Error, IDI_HAND},
        {BoxIcon::Warning, IDI_EXCLAMATION},
        {BoxIcon::Information, IDI_ASTERISK},
        {BoxIcon::Question, IDI_QUESTION},
    };
    BoxIcon best = BoxIcon::Unrecognised;
    double bestShare = 0.9;
    for (const auto& [kind, id] : candidates) {
        const IconPicture picture = DrawnIcon(::LoadIconW(nullptr, id), width, height);
        size_t opaque = 0, same = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (!picture.opaque[i])
                continue;
            ++opaque;
            same += picture.colours[i] == shown[i];
        }
        const double share = opaque ? static_cast<double>(same) / static_cast<double>(opaque) : 0.0;
        if (share > bestShare) {
            bestShare = share;
            best = kind;
        }
    }
    return best;
}
