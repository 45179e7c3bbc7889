#include "export/AtomicFile.h"

#include "export/CannotWrite.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace {

// A name no other writer picks: two programs writing the same file each get their own temporary,
// and the last rename wins with a whole file.
std::string TemporaryName(const std::string& path) {
    static std::random_device source;
    static const char digits[] = "0123456789abcdef";
    std::string name = path + ".part-";
    for (int i = 0; i < 12; ++i)
        name += digits[source() % 16];
    return name;
}

} // namespace

AtomicFile::AtomicFile(std::string path) : path(std::move(path)) {}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : path(std::move(other.path)), temporary(std::move(other.temporary)), file(other.file),
      temporaryExists(other.temporaryExists), committed(other.committed) {
    other.file = nullptr;
    other.temporaryExists = false;
    other.committed = false;
}

AtomicFile::~AtomicFile() {
    if (!committed)
        Discard();
}

bool AtomicFile::Fail(int error, std::string* reason) {
    if (reason)
        *reason = CannotWrite(path, std::strerror(error));
    Discard();
    return false;
}

bool AtomicFile::Fail(const std::error_code& error, std::string* reason) {
    // The library's message: on Windows its codes are the system's own, not errno values.
    if (reason)
        *reason = CannotWrite(path, error.message());
    Discard();
    return false;
}

bool AtomicFile::Open(std::string* reason) {
    temporary = TemporaryName(path);
    errno = 0;
    file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return Fail(errno ? errno : EIO, reason);
    temporaryExists = true;
    return true;
}

bool AtomicFile::Write(const void* data, size_t size, std::string* reason) {
    if (!file)
        return Fail(EBADF, reason);
    errno = 0;
    if (std::fwrite(data, 1, size, file) != size)
        return Fail(errno ? errno : EIO, reason);
    return true;
}

bool AtomicFile::Close(std::string* reason) {
    if (!file)
        return temporaryExists || Fail(EBADF, reason);
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (!flushed || !closed)
        return Fail(flushError ? flushError : (errno ? errno : EIO), reason);
    return true;
}

bool AtomicFile::Commit(std::string* reason) {
    if (!Close(reason))
        return false;
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error)
        return Fail(error, reason);
    temporaryExists = false;
    committed = true;
    return true;
}

void AtomicFile::Discard() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    std::error_code ignored;
    if (temporaryExists)
        std::filesystem::remove(temporary, ignored);
    else if (committed)
        std::filesystem::remove(path, ignored);
    temporaryExists = false;
    committed = false;
}
