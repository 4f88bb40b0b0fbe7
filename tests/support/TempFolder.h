// A folder of its own under the system's temporary folder, removed with everything in it.
#pragma once

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path of a name in the folder.
    std::wstring Path(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The bytes of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Writes the bytes as the whole file.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
