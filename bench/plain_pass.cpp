// SPDX-License-Identifier: GPL-3.0-or-later
// The least any generator must do: list every folder of the tree and read every shortcut file
// once. The benchmark measures the program against this pass over the same tree.
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::size_t bytesRead = 0;
std::size_t filesRead = 0;

void ReadFile(int folderFd, const char* name) {
    const int fd = openat(folderFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        bytesRead += static_cast<std::size_t>(got);
    close(fd);
    ++filesRead;
}

void Walk(int folderFd) {
    DIR* folder = fdopendir(dup(folderFd));
    if (folder == nullptr)
        return;
    while (const dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        if (entry->d_type == DT_DIR) {
            const int child = openat(folderFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (child >= 0) {
                Walk(child);
                close(child);
            }
        } else {
            const std::size_t length = std::strlen(entry->d_name);
            if (length >= 4 && strcasecmp(entry->d_name + length - 4, ".url") == 0)
                ReadFile(folderFd, entry->d_name);
        }
    }
    closedir(folder);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: plain_pass FOLDER\n");
        return 2;
    }
    const int root = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return 1;
    Walk(root);
    close(root);
    std::printf("%zu files, %zu bytes\n", filesRead, bytesRead);
    return 0;
}
