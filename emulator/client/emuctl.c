/* tarvenix-emuctl: sends its arguments, joined by blanks, as one command to the emulator. */
#include "emuclient.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define REPLY_SIZE 65536

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr,
                "usage: tarvenix-emuctl COMMAND [ARGS...]   (needs TARVENIX_EMU_CONTROL)\n");
        return 2;
    }
    size_t len = 1;
    for (int i = 1; i < argc; i++)
        len += strlen(argv[i]) + 1;
    char *line = calloc(1, len);
    static char reply[REPLY_SIZE];
    if (!line)
        return 1;
    for (int i = 1; i < argc; i++) {
        if (i > 1)
            strcat(line, " ");
        strcat(line, argv[i]);
    }
    int rc = emu_command(line, reply, sizeof reply);
    free(line);
    puts(reply);
    return rc == 0 ? 0 : 1;
}
