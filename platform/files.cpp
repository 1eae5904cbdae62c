#include "platform/files.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace moritelda {

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    content.clear();
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
    std::fclose(file);
    return true;
}

#ifdef _WIN32

bool ReplaceWholeFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
              written == content.size();
    ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (ok) ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

#else

bool ReplaceWholeFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".new";
    int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        ssize_t wrote = ::write(file, content.data() + done, content.size() - done);
        if (wrote <= 0) ok = false;
        else done += static_cast<std::size_t>(wrote);
    }
    ok = (::fsync(file) == 0) && ok;
    ok = (::close(file) == 0) && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

#endif

}  // namespace moritelda
