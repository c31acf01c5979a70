// The client library from C++, as the project's Qt tests use it inside the emulator's child.
#include "emuclient.h"

#include <cstdio>
#include <cstring>

int main()
{
    char reply[256];
    if (emu_command("stats 1", reply, sizeof reply) != 0 || std::strncmp(reply, "ok ", 3) != 0) {
        std::fprintf(stderr, "stats 1: %s\n", reply);
        return 1;
    }
    if (emu_commandf(reply, sizeof reply, "stats %d", 7) == 0) {
        std::fprintf(stderr, "stats 7 succeeded: %s\n", reply);
        return 1;
    }
    return 0;
}
