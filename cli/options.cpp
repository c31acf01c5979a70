#include "options.h"

#include <QCommandLineParser>
#include <array>

namespace tarvenix::cli {

namespace {

struct CommandName {
    const char *name;
    Command command;
    bool takesFile;
};

constexpr std::array<CommandName, 8> kCommands{{
    {"list", Command::List, false},
    {"version", Command::Version, false},
    {"firmware", Command::Firmware, true},
    {"data", Command::Data, true},
    {"save", Command::Save, true},
    {"verify", Command::Verify, true},
    {"backups", Command::Backups, false},
    {"history", Command::History, false},
}};

const char kEpilogue[] = R"(
Commands:
  list           List the supported devices present: the row of the
                 supported-device table (1-5) each matched, vendor:product,
                 usage page and usage, hidraw path, manufacturer, product and
                 serial.
  version        Print the device's version text.
  firmware FILE  Download the firmware image FILE into the device. On a
                 terminal it first asks, naming the file and the device
                 (--yes answers); afterwards it reads the version again and
                 prints it with the one before.
  data FILE      Download the data image FILE into the device's data area.
                 First the whole area is read into a backup file (524288
                 bytes, about as long as a save), which is named; afterwards
                 the area is read back and compared with FILE. So data reads
                 the area twice. --no-backup and --no-verify leave a step out.
                 To restore a backup, download it with data.
  save FILE      Save the whole data area (524288 bytes) into FILE. ".bin" is
                 appended unless FILE already ends in ".bin" (in any case).
                 The file is written only once every block has arrived. A file
                 of that name that appears meanwhile is left as it is, and the
                 data is kept beside it in a file whose name is given.
  verify FILE    Read back the blocks of the data area that FILE covers and
                 compare them with FILE; names the first block that differs.
  backups        List the backups that data downloads took, oldest first. Of
                 each device the 20 newest are kept, and the oldest one taken
                 after its last successful data download.
  history        List the transfers made (firmware, data, save), oldest first.

Files:
  Firmware, data and verify files must be whole 512-byte blocks: a non-zero
  multiple of 512 bytes; data and verify files at most 524288 bytes.
  File names must be valid UTF-8.
  Without --device the first supported device is used, in table order.
  Backups:  ~/.local/share/tarvenix/backups (Windows: %LOCALAPPDATA%\tarvenix\backups)
  History:  $XDG_STATE_HOME/tarvenix/history.jsonl, by default
            ~/.local/state/tarvenix/history.jsonl (Windows:
            %LOCALAPPDATA%\tarvenix\history.jsonl), one JSON object a line
  The window's menu turns the backup, the verify and the firmware question
  off and on; the options above override that for one run.

Exit codes:
  0  success
  1  a result could not be written to standard output (the reason is on
     standard error)
  2  usage error: unknown command or option, missing or extra argument
  3  no supported device present (or none at the --device path)
  4  device busy: another Tarvenix program is transferring with it
  5  file error: missing, unreadable, wrong size, cannot be written, a
     name that is not UTF-8 or names no file, the save target exists (a
     symbolic link too) and --force was not given, or a file that changed
     or appeared during the transfer
  6  device failure: the device cannot be opened or locked, did not accept
     or answer a request, sent a report that answers no request of ours
     (another program using it), or was unplugged
  7  verify found a block that differs from the file (also the verify
     after a data download)
  8  the firmware question was not answered yes; nothing was sent
  128+N  a transfer was stopped by signal N (SIGINT, SIGTERM or SIGHUP)
     between two blocks; the message says what the device holds now
)";

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help and exit."};
    QCommandLineOption device{"device", "Use the device at <path> (as list shows it).", "path"};
    QCommandLineOption json{"json", "Print the output of list and version as JSON."};
    QCommandLineOption quiet{QStringList{"q", "quiet"},
                             "Show no progress; errors are still shown."};
    QCommandLineOption trace{"trace", "Show the trace of every device exchange on stderr."};
    QCommandLineOption force{"force", "Let save replace an existing file; a symbolic link is "
                                      "replaced itself, never written through."};
    QCommandLineOption verify{"verify", "With data: verify the file after the download, even "
                                        "where the window's menu turned verifying off."};
    QCommandLineOption noVerify{"no-verify", "With data: do not read the area back afterwards."};
    QCommandLineOption noBackup{"no-backup",
                                "With data: do not read the area into a backup first."};
    QCommandLineOption yes{QStringList{"y", "yes"},
                           "With firmware: download without asking first."};
    QCommandLineOption limit{"limit", "With history: show only the last <n> transfers.", "n"};

    Parser()
    {
        parser.setApplicationDescription(
            "Downloads firmware and data into a Tarvenix pressure mouse, saves its data area, "
            "and checks it against a file.");
        parser.addOptions(
            {help, device, json, quiet, trace, force, verify, noVerify, noBackup, yes, limit});
        parser.addPositionalArgument(
            "command", "list, version, firmware, data, save, verify, backups or history.");
        parser.addPositionalArgument("file", "The file that the command reads or writes.",
                                     "[file]");
    }

    // An option given to a command that has no use for it.
    QString misplaced(Command c) const
    {
        const bool lists = c == Command::List || c == Command::Version || c == Command::Backups ||
                           c == Command::History;
        if (parser.isSet(json) && !lists)
            return QStringLiteral("--json applies to list, version, backups and history only.");
        if (parser.isSet(verify) && c != Command::Data)
            return QStringLiteral("--verify applies to data only; to check a file by itself, "
                                  "use the verify command.");
        if ((parser.isSet(noVerify) || parser.isSet(noBackup)) && c != Command::Data)
            return QStringLiteral("--no-verify and --no-backup apply to data only.");
        if (parser.isSet(verify) && parser.isSet(noVerify))
            return QStringLiteral("--verify and --no-verify contradict each other.");
        if (parser.isSet(yes) && c != Command::Firmware)
            return QStringLiteral("--yes applies to firmware only.");
        if (parser.isSet(limit) && c != Command::History)
            return QStringLiteral("--limit applies to history only.");
        if (parser.isSet(force) && c != Command::Save)
            return QStringLiteral("--force applies to save only.");
        if (parser.isSet(device) && c == Command::List)
            return QStringLiteral("--device does not apply to list, which shows every device.");
        if (parser.isSet(device) && (c == Command::Backups || c == Command::History))
            return QStringLiteral("--device does not apply to backups and history, which show "
                                  "every device's.");
        return QString();
    }
};

Parsed usageError(const QString &reason)
{
    Parsed p;
    p.status = fail(Exit::Usage, reason + QStringLiteral("\nRun \"tarvenix-cli --help\" for the "
                                                         "commands and options."));
    return p;
}

const CommandName *findCommand(const QString &name)
{
    for (const CommandName &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

} // namespace

Parsed parseArguments(const QStringList &arguments)
{
    Parser p;
    if (!p.parser.parse(arguments))
        return usageError(p.parser.errorText());
    Parsed parsed;
    if (p.parser.isSet(p.help)) {
        parsed.help = true;
        return parsed;
    }
    const QStringList words = p.parser.positionalArguments();
    if (words.isEmpty())
        return usageError(QStringLiteral("No command given."));
    const CommandName *command = findCommand(words[0]);
    if (!command)
        return usageError(QStringLiteral("Unknown command \"%1\".").arg(words[0]));
    if (command->takesFile && words.size() < 2)
        return usageError(QStringLiteral("The %1 command needs a file.").arg(words[0]));
    if (words.size() > (command->takesFile ? 2 : 1))
        return usageError(QStringLiteral("Too many arguments for the %1 command.").arg(words[0]));
    const QString misplaced = p.misplaced(command->command);
    if (!misplaced.isEmpty())
        return usageError(misplaced);
    Options &o = parsed.options;
    o.command = command->command;
    o.file = command->takesFile ? words[1] : QString();
    o.device = p.parser.value(p.device);
    o.json = p.parser.isSet(p.json);
    o.quiet = p.parser.isSet(p.quiet);
    o.trace = p.parser.isSet(p.trace);
    o.force = p.parser.isSet(p.force);
    o.verify = p.parser.isSet(p.verify);
    o.noVerify = p.parser.isSet(p.noVerify);
    o.noBackup = p.parser.isSet(p.noBackup);
    o.yes = p.parser.isSet(p.yes);
    if (p.parser.isSet(p.limit)) {
        bool number = false;
        o.limit = p.parser.value(p.limit).toInt(&number);
        if (!number || o.limit < 1)
            return usageError(QStringLiteral("--limit needs a whole number of 1 or more."));
    }
    return parsed;
}

QString helpText()
{
    return Parser().parser.helpText() + QLatin1String(kEpilogue);
}

} // namespace tarvenix::cli
