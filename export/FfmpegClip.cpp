#include "export/FfmpegClip.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

FfmpegClip::FfmpegClip(std::string path, int width, int height, double fps, std::string container)
    : ClipWriter(path, width, height, fps), container(std::move(container)), file(std::move(path)) {}

FfmpegClip::~FfmpegClip() {
    // Unfinished: ffmpeg must be gone before the temporary is removed, or it could create it again.
    if (process > 0)
        kill(process, SIGTERM);
    Wait();
}

std::string FfmpegClip::FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path)
        return "";
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

bool FfmpegClip::Start(std::string* reason) {
    const std::string ffmpeg = FindOnPath("ffmpeg");
    if (ffmpeg.empty())
        return Refuse(".mp4 and .webm clips are made by ffmpeg, and there is no ffmpeg on PATH", reason);
    // ffmpeg overwrites the temporary; making it first tells at once whether the folder takes files.
    if (!file.Open(reason) || !file.Close(reason))
        return false;

    // A socket rather than a pipe: writing to it after ffmpeg has died gives an error (MSG_NOSIGNAL)
    // instead of the SIGPIPE that would end this program.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return Refuse(std::strerror(errno), reason);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string rate = std::to_string(fps);
    std::vector<std::string> arguments = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f",
                                          "rawvideo", "-pix_fmt", "rgba", "-s", size, "-r", rate, "-i", "-",
                                          // 4:2:0 needs even sides.
                                          "-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-pix_fmt", "yuv420p", "-f",
                                          container, file.TemporaryPath()};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    const int spawned = posix_spawn(&process, ffmpeg.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (spawned != 0) {
        process = -1;
        close(ends[0]);
        return Refuse("cannot start " + ffmpeg + ": " + std::strerror(spawned), reason);
    }
    input = ends[0];
    return true;
}

bool FfmpegClip::AddFrame(const RgbaPicture& frame, std::string* reason) {
    if (!Fits(frame, reason))
        return false;
    const uint8_t* bytes = frame.pixels.data();
    size_t left = frame.pixels.size();
    while (left > 0) {
        const ssize_t sent = send(input, bytes, left, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0) {
            const int status = Wait();
            return Refuse("ffmpeg stopped reading frames (exit status " + std::to_string(status) + ")",
                          reason);
        }
        bytes += sent;
        left -= static_cast<size_t>(sent);
    }
    ++frames;
    return true;
}

int FfmpegClip::Wait() {
    if (input >= 0) {
        close(input);
        input = -1;
    }
    if (process <= 0)
        return -1;
    int status = 0;
    while (waitpid(process, &status, 0) < 0 && errno == EINTR) {
    }
    process = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool FfmpegClip::Finish(std::string* reason) {
    if (!HasFrames(frames, reason))
        return false;
    const int status = Wait();
    if (status != 0)
        return Refuse("ffmpeg failed (exit status " + std::to_string(status) + ")", reason);
    return file.Commit(reason);
}
