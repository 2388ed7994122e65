#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("Dayloom 3.2q");
        return 0;
    }
    std::fputs("not available yet\n", stderr);
    return 2;
}
