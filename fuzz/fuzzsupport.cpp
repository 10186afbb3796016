#include "fuzzsupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tarvo::fuzz {

std::vector<std::string> Fields(std::string_view input, size_t count)
{
    std::vector<std::string> fields;
    while (fields.size() + 1 < count) {
        const size_t nul = input.find('\0');
        fields.emplace_back(input.substr(0, nul));
        input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    }
    fields.emplace_back(input);
    return fields;
}

std::string AsFile(const uint8_t* data, size_t size)
{
    static const int fd = memfd_create("fuzz-input", 0);
    Require(fd >= 0, "cannot create the in-memory input file");
    Require(ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size),
            "cannot write the in-memory input file");
    return "/proc/self/fd/" + std::to_string(fd);
}

void Require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

} // namespace tarvo::fuzz
