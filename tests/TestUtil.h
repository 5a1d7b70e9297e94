// Small helpers shared by the tests: a temporary folder that cleans up after itself and whole-file
// reads and writes.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testutil {

using Bytes = std::vector<unsigned char>;

class TempDir {
public:
    TempDir() {
        static std::atomic<int> s_nCounter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("mw-test-" + std::to_string(stamp) + "-" + std::to_string(s_nCounter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing separator, as the program's own folders are written.
    std::string Folder() const {
#ifdef _WIN32
        return m_path.string() + "\\";
#else
        return m_path.string() + "/";
#endif
    }
    std::string Path(const std::string& name) const {
        return Folder() + name;
    }

private:
    std::filesystem::path m_path;
};

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

} // namespace testutil
