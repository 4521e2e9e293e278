#pragma once
// A fresh temporary folder, removed with everything in it at the end of the test.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // How many files and folders it holds.
    size_t Entries() const;

private:
    std::filesystem::path m_path;
};
