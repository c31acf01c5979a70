/* tarvenix-emuctl: sends its arguments, joined by blanks, as one command to the emulator. */
#include "emuclient.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define REPLY_SIZE 65536

static const char usage[] =
    "usage: tarvenix-emuctl COMMAND [ARGS...]\n"
    "Sends the command to the emulator that TARVENIX_EMU_CONTROL names (tarvenix-emu sets it\n"
    "for its program; tarvenix-emu --serve prints it), prints the reply, and exits 0 when the\n"
    "reply is ok, 1 otherwise.\n";

static const char commands[] =
    "\nCommands (ID is a device's number; the first device is 1):\n"
    "  add DEVICE               add and plug a device, DEVICE as for tarvenix-emu --device\n"
    "  unplug ID                unplug the device\n"
    "  plug ID [ms=T]           plug it in again (after T ms)\n"
    "  fault ID KIND [at=N]     arm a fault for the N-th write from now (default 1); KIND is\n"
    "                           silent, delay ms=T, late ms=T, short [n=N], writefail, unplug,\n"
    "                           stranger or drop\n"
    "  fault ID clear           disarm every fault\n"
    "  version ID TEXT...       set the version text\n"
    "  versionhex ID HEX        set the version text as hex bytes\n"
    "  data ID PATH             load the data area from a file\n"
    "  fill ID 0xNN             fill the data area with one byte\n"
    "  clear ID [all]           clear the request log and counters (all: the firmware too)\n"
    "  stats ID                 the device's counters, node and plugged state\n"
    "  dump ID DIR              write requests.bin, firmware.bin and data.bin into DIR\n"
    "  list                     the devices\n"
    "  replay                   how far a replayed capture has come\n"
    "  quit                     stop the emulator (with a program: end the program)\n"
    "  help, --help             show this text\n";

static int asks_for_help(const char *arg)
{
    return strcmp(arg, "help") == 0 || strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "%sRun tarvenix-emuctl help for the commands.\n", usage);
        return 2;
    }
    if (argc == 2 && asks_for_help(argv[1])) {
        fputs(usage, stdout);
        fputs(commands, stdout);
        return 0;
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
