// Owning GDI and cursor handles: each frees what it holds when it goes or is given another.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct DeleteGdiObject {
    void operator()(void* object) const { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct DestroyCursorCopy {
    void operator()(HCURSOR cursor) const { ::DestroyIcon(cursor); } // a CopyIcon copy
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};

// A handle of one of the system's pointer-like handle types, with the deleter that frees it.
template <typename Handle, typename Deleter>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueCursor = UniqueHandle<HCURSOR, DestroyCursorCopy>;
using UniqueMemoryDC = UniqueHandle<HDC, DeleteMemoryDC>;
