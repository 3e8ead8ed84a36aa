// SPDX-License-Identifier: GPL-3.0-or-later
// The least any import must do: make every folder and write every shortcut file once, in the
// shape bench/make_bookmarks.py gives the bookmarks (FOLDERS folders nested ten to a level,
// link i in folder i % FOLDERS). The benchmark measures the import against this pass.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "Usage: plain_write FOLDER LINKS FOLDERS\n");
        return 2;
    }
    const long links = std::atol(argv[2]);
    const long folders = std::atol(argv[3]);
    std::vector<int> fds(static_cast<std::size_t>(folders));
    if (mkdir(argv[1], 0777) != 0)
        return 1;
    fds[0] = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (long i = 1; i < folders; ++i) {
        const int parent = fds[static_cast<std::size_t>((i - 1) / 10)];
        const std::string name = "folder " + std::to_string(i);
        if (mkdirat(parent, name.c_str(), 0777) != 0)
            return 1;
        fds[static_cast<std::size_t>(i)] =
            openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    for (long i = 0; i < links; ++i) {
        const std::string name = "link " + std::to_string(i) + ".url";
        const std::string text = "[InternetShortcut]\r\nURL=https://www.example" +
                                 std::to_string(i % 997) + ".org/news/" + std::to_string(i) +
                                 "?ref=bookmarks&x=1\r\n";
        const int fd = openat(fds[static_cast<std::size_t>(i % folders)], name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            return 1;
        close(fd);
    }
    for (const int fd : fds)
        close(fd);
    std::printf("%ld files in %ld folders\n", links, folders);
    return 0;
}
