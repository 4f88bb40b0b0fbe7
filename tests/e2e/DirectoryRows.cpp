// ReadLdif and the expected cells, written apart from the program's own rendering.
#include "e2e/DirectoryRows.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        throw std::runtime_error("LDIF value is not UTF-8: " + bytes);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::string DecodeBase64(const std::string& text)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned int bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=')
            break;
        const size_t value = alphabet.find(c);
        if (value == std::string::npos)
            throw std::runtime_error("bad base64 in LDIF: " + text);
        bits = (bits << 6) | static_cast<unsigned int>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towlower(x) == towlower(y); });
}

} // namespace

std::vector<std::wstring> DirectoryEntry::Values(const std::wstring& attribute) const
{
    for (const auto& [name, values] : attributes) {
        if (SameName(name, attribute))
            return values;
    }
    return {};
}

std::vector<DirectoryEntry> ReadLdif(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read the expected rows");
    std::vector<DirectoryEntry> entries;
    DirectoryEntry* current = nullptr;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty()) {
            current = nullptr;
            continue;
        }
        if (line[0] == '#')
            continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0)
            throw std::runtime_error("not an LDIF line: " + line);
        const std::wstring name = FromUtf8(line.substr(0, colon));
        const bool encoded = line.compare(colon, 2, "::") == 0;
        const size_t start = std::min(line.find_first_not_of(' ', colon + (encoded ? 2 : 1)), line.size());
        const std::string value = encoded ? DecodeBase64(line.substr(start)) : line.substr(start);
        if (name == L"dn") {
            entries.push_back({FromUtf8(value), {}});
            current = &entries.back();
            continue;
        }
        if (!current)
            throw std::runtime_error("attribute outside an entry: " + line);
        auto& attributes = current->attributes;
        if (attributes.empty() || attributes.back().first != name)
            attributes.emplace_back(name, std::vector<std::wstring>{});
        attributes.back().second.push_back(FromUtf8(value));
    }
    return entries;
}

std::wstring AttributeOfHeader(const std::wstring& header)
{
    static const std::pair<const wchar_t*, const wchar_t*> catalogue[] = {
        {L"NAME", L"cn"},
        {L"FIRST NAME", L"givenName"},
        {L"INITIAL", L"initials"},
        {L"LAST NAME", L"sn"},
        {L"DISPLAY NAME", L"displayName"},
        {L"DESCRIPTION", L"description"},
        {L"OFFICE", L"physicalDeliveryOfficeName"},
        {L"TELEPHONE NUMBER", L"telephoneNumber"},
        {L"E-MAIL ID", L"mail"},
        {L"WEB SITE ADDRESS", L"url"},
        {L"ADDRESS", L"streetAddress"},
        {L"POST BOX NUMBER", L"postOfficeBox"},
        {L"CITY", L"l"},
        {L"STATE\\PROVINCE", L"st"},
        {L"ZIP CODE", L"postalCode"},
        {L"COUNTRY", L"co"},
        {L"LOGON NAME", L"userPrincipalName"},
    };
    for (const auto& [shown, attribute] : catalogue) {
        if (header == shown)
            return attribute;
    }
    return {};
}

std::wstring ExpectedCell(const std::vector<std::wstring>& values)
{
    std::wstring joined;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && !values[i].empty())
            joined += L';';
        joined += values[i];
    }
    if (joined.empty())
        return L"-";
    std::wstring cell;
    for (wchar_t c : joined)
        cell += (c == L',' || c == L'\r' || c == L'\n') ? L' ' : c;
    return cell;
}

std::vector<std::vector<std::wstring>> ExpectedRows(const std::vector<DirectoryEntry>& entries,
                                                    const std::vector<std::wstring>& headers)
{
    std::vector<std::vector<std::wstring>> rows;
    for (const DirectoryEntry& entry : entries) {
        std::vector<std::wstring> row;
        for (const std::wstring& header : headers) {
            const std::wstring attribute = AttributeOfHeader(header);
            row.push_back(attribute.empty() ? L"-" : ExpectedCell(entry.Values(attribute)));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

namespace {

void AppendEightBit(std::string& bytes, const std::wstring& text, unsigned long long& unstorable)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c <= 0xFF) {
            bytes += static_cast<char>(static_cast<unsigned char>(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        bytes += '?';
        ++unstorable;
    }
}

void AppendLine(std::string& bytes, const std::vector<std::wstring>& fields, unsigned long long& unstorable)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        AppendEightBit(bytes, fields[i], unstorable);
        bytes += i + 1 < fields.size() ? "," : "\r\n";
    }
}

} // namespace

std::string ExpectedCsvTable(const std::vector<std::wstring>& headers,
                             const std::vector<std::vector<std::wstring>>& rows, unsigned long long* unstorable)
{
    std::string bytes;
    unsigned long long count = 0;
    AppendLine(bytes, headers, count);
    for (const auto& row : rows)
        AppendLine(bytes, row, count);
    if (unstorable)
        *unstorable = count;
    return bytes;
}
