// A file that appears whole or not at all: its bytes go to a temporary name in the same folder,
// which is renamed to the real name only when everything has been written. Every file the command
// line writes goes through here, so that a full disk, a missing folder or a refused encoder never
// leaves a partial file under the name the user asked for.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <system_error>
#include <utility>

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    // Removes the temporary unless Commit has renamed it.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&&) = delete;

    // Creates the temporary. Fails when the folder is missing or not writable.
    bool Open(std::string* reason);
    bool Write(const void* data, size_t size, std::string* reason);
    // Flushes and closes the temporary but keeps it under its temporary name (a series of files
    // is renamed together at the end; another program may write the temporary meanwhile).
    bool Close(std::string* reason);
    // Closes the temporary if it is open and gives it the real name.
    bool Commit(std::string* reason);
    // Removes the temporary, or after Commit the file itself (a series that could not be
    // completed takes back what it had already renamed).
    void Discard();

    const std::string& Path() const { return path; }
    // The name Commit gives the file; a numbered series knows its names only when it is complete.
    void SetPath(std::string name) { path = std::move(name); }
    const std::string& TemporaryPath() const { return temporary; }

private:
    bool Fail(int error, std::string* reason);
    bool Fail(const std::error_code& error, std::string* reason);

    std::string path;
    std::string temporary;
    std::FILE* file = nullptr; // owned while open
    bool temporaryExists = false;
    bool committed = false;
};
