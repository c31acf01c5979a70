#include "options.h"

#include "cli/text.h"
#include "transfer/filechecks.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <array>

namespace tarvenix::cli {

namespace {

struct CommandName {
    const char *name;
    Command command;
    bool takesFile;
};

constexpr std::array<CommandName, 9> kCommands{{
    {"list", Command::List, false},
    {"version", Command::Version, false},
    {"firmware", Command::Firmware, true},
    {"data", Command::Data, true},
    {"save", Command::Save, true},
    {"verify", Command::Verify, true},
    {"backups", Command::Backups, false},
    {"history", Command::History, false},
    {"doctor", Command::Doctor, false},
}};

const char kEpilogue[] = QT_TRANSLATE_NOOP("Cli", R"(
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
  doctor         Check what a real device needs, one line per check with what
                 to do when it fails: the udev rule, each device's node and
                 access to it, its report sizes, logind (which keeps the
                 machine awake), the HID library, and the folders of the
                 history, the backups and the settings. It opens no device.
                 Its output names the devices' paths and serial numbers.

Files:
  Firmware, data and verify files must be whole 512-byte blocks: a non-zero
  multiple of 512 bytes; data and verify files at most 524288 bytes.
  File names must be valid UTF-8.
  Without --device or --serial the first supported device is used, in table
  order. --serial finds a device by its serial number wherever it is plugged
  in; two devices with that serial number are refused.
  Backups:  ~/.local/share/tarvenix/backups (Windows: %LOCALAPPDATA%\tarvenix\backups)
  History:  $XDG_STATE_HOME/tarvenix/history.jsonl, by default
            ~/.local/state/tarvenix/history.jsonl (Windows:
            %LOCALAPPDATA%\tarvenix\history.jsonl), one JSON object a line
  The window's menu turns the backup, the verify and the firmware question
  off and on; the options above override that for one run.

Several devices at once (version, firmware, data, save, verify):
  --all runs the command on every supported device present, each on its own
  thread; --device PATH or --serial SERIAL given more than once runs it on
  those devices. All of them must be of one vendor:product (version reads
  any): the run refuses before touching any device when they are not;
  --product VID:PID picks one model. save --all DIR writes one file per
  device into the folder DIR, named after the device's serial number (or
  its path when it has none). Progress is one line per
  device. At the end a summary gives every device's result, its own exit code
  and what failed; with --json the same as JSON on standard output. The set of
  devices is fixed at the start: one plugged in later is named, not taken.
  data backs up and verifies each device as a single download does, each
  transfer with its own history line; firmware on a terminal asks once for the
  whole run, naming every device (--yes answers).

JSON:
  With --json every command prints one JSON document on standard output, also
  when it fails (the message still goes to standard error); a usage error
  prints none. Each has "schema", and a device is described under "device".
  firmware, data, save and verify give "result" (ok, failed or stopped),
  "exitCode", and of "message", "file", "backup", "versionBefore",
  "versionAfter", "block", "blocks" and "phase" what applies.

Recording:
  --record FILE writes a capture: every report written to and read from the
  device, with its time, and the device's identity. It holds the bytes of the
  files sent and read, so it is as private as they are. With list and
  several devices, and in a run on several devices, one capture per device:
  FILE with each device's serial added.

Exit codes:
  0  success
  1  a result could not be written to standard output (the reason is on
     standard error)
  2  usage error: unknown command or option, missing or extra argument;
     devices of more than one model, or two with the --serial given
  3  no supported device present (or none at the --device path or with
     the --serial number)
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
  8  some devices failed: in a run on several devices, one or more did not
     succeed; the summary gives each one's own code
  9  the firmware question was not answered yes; nothing was sent
  10 doctor: one or more checks failed; each failed line says what to do
  128+N  a transfer was stopped by signal N (SIGINT, SIGTERM or SIGHUP)
     between two blocks; the message says what the device holds now (on
     several devices, the summary says it for each one)
)");

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{QStringList{"h", "help"}, Cli::tr("Show this help and exit.")};
    QCommandLineOption version{"version", Cli::tr("Show the program's version and exit.")};
    QCommandLineOption device{"device",
                              Cli::tr("Use the device at <path> (as list shows it); given more "
                                      "than once, run on each of them at once."),
                              "path"};
    QCommandLineOption serial{"serial",
                              Cli::tr("Use the device with the serial number <serial> (as list "
                                      "shows it), wherever it is plugged in; given more than "
                                      "once, run on each of them at once."),
                              "serial"};
    QCommandLineOption json{"json", Cli::tr("Print the result as one JSON document on standard "
                                            "output, also when the command fails.")};
    QCommandLineOption quiet{QStringList{"q", "quiet"},
                             Cli::tr("Show no progress; errors are still shown.")};
    QCommandLineOption trace{"trace",
                             Cli::tr("Show the trace of every device exchange on stderr.")};
    QCommandLineOption force{"force",
                             Cli::tr("Let save replace an existing file; a symbolic link is "
                                     "replaced itself, never written through.")};
    QCommandLineOption verify{"verify", Cli::tr("With data: verify the file after the download, "
                                                "even where the window's menu turned verifying "
                                                "off.")};
    QCommandLineOption noVerify{"no-verify",
                                Cli::tr("With data: do not read the area back afterwards.")};
    QCommandLineOption noBackup{"no-backup",
                                Cli::tr("With data: do not read the area into a backup first.")};
    QCommandLineOption yes{QStringList{"y", "yes"},
                           Cli::tr("Answer yes to the firmware question. Every command accepts "
                                   "it; the others ask nothing.")};
    QCommandLineOption limit{"limit", Cli::tr("With history: show only the last <n> transfers."),
                             "n"};
    QCommandLineOption record{"record",
                              Cli::tr("Record what the command exchanges with the device into "
                                      "<file>, a capture for a bug report. It holds the bytes "
                                      "sent and read."),
                              "file"};
    QCommandLineOption recordPaths{"record-paths",
                                   Cli::tr("Keep the names of the files in the capture, which "
                                           "otherwise says FILE instead.")};
    QCommandLineOption all{"all", Cli::tr("Run the command on every supported device present, "
                                          "all at once.")};
    QCommandLineOption product{"product",
                               Cli::tr("With --all or --serial: only the devices of this vendor "
                                       "and product id (hex, as list shows them)."),
                               "vid:pid"};

    Parser()
    {
        parser.setApplicationDescription(Cli::tr(
            "Downloads firmware and data into a Tarvenix pressure mouse, saves its data area, "
            "and checks it against a file."));
        parser.addOptions({help, version, device, serial, all, product, json, quiet, trace, force,
                           verify, noVerify, noBackup, yes, limit, record, recordPaths});
        parser.addPositionalArgument("command",
                                     Cli::tr("list, version, firmware, data, save, verify, "
                                             "backups, history or doctor."));
        parser.addPositionalArgument("file", Cli::tr("The file that the command reads or writes."),
                                     Cli::tr("[file]"));
    }

    // An option given to a command that has no use for it. --json and --yes are taken by
    // every command, so that a script can give them to all of its calls.
    QString misplaced(Command c) const
    {
        if (const QString many = misplacedForMany(); !many.isEmpty())
            return many;
        if (const QString pick = misplacedPick(c); !pick.isEmpty())
            return pick;
        if (parser.isSet(verify) && c != Command::Data)
            return Cli::tr("--verify applies to data only; to check a file by itself, "
                           "use the verify command.");
        if ((parser.isSet(noVerify) || parser.isSet(noBackup)) && c != Command::Data)
            return Cli::tr("--no-verify and --no-backup apply to data only.");
        if (parser.isSet(verify) && parser.isSet(noVerify))
            return Cli::tr("--verify and --no-verify contradict each other.");
        if (parser.isSet(limit) && c != Command::History)
            return Cli::tr("--limit applies to history only.");
        if (parser.isSet(force) && c != Command::Save)
            return Cli::tr("--force applies to save only.");
        if (parser.isSet(recordPaths) && !parser.isSet(record))
            return Cli::tr("--record-paths applies with --record only.");
        if (parser.isSet(record) && c == Command::Doctor)
            return Cli::tr("--record does not apply to doctor, which exchanges nothing with the "
                           "device.");
        return QString();
    }

    // The options that pick devices, given to a command that shows or checks every one.
    QString misplacedPick(Command c) const
    {
        if (!parser.isSet(device) && !parser.isSet(serial) && !parser.isSet(all))
            return QString();
        switch (c) {
        case Command::List:
            return Cli::tr("--device, --serial and --all do not apply to list, which shows every "
                           "device.");
        case Command::Backups:
        case Command::History:
            return Cli::tr("--device, --serial and --all do not apply to backups and history, "
                           "which show every device's.");
        case Command::Doctor:
            return Cli::tr("--device, --serial and --all do not apply to doctor, which checks "
                           "every device.");
        default:
            return QString();
        }
    }

    QString misplacedForMany() const
    {
        if (parser.isSet(all) && (parser.isSet(device) || parser.isSet(serial)))
            return Cli::tr("--all takes every device: leave out --device and --serial, or give "
                           "one of them once for each device to use.");
        if (parser.isSet(device) && parser.isSet(serial))
            return Cli::tr("--device and --serial both pick devices: give one of them, once for "
                           "each device to use.");
        if (parser.isSet(product) && !parser.isSet(all) && !parser.isSet(serial))
            return Cli::tr("--product applies with --all or --serial only.");
        for (const QCommandLineOption *option : {&device, &serial}) {
            const QStringList values = parser.values(*option);
            for (const QString &value : values) {
                if (values.count(value) > 1)
                    return Cli::tr("--%1 %2 is given more than once.")
                        .arg(option->names().constLast(), value);
            }
        }
        return QString();
    }
};

// "1abe:2202", as list shows it.
bool parseProduct(const QString &text, int *vendorId, int *productId)
{
    const QStringList ids = text.split(QLatin1Char(':'));
    bool vendorOk = false;
    bool productOk = false;
    if (ids.size() == 2 && ids[0].size() <= 4 && ids[1].size() <= 4) {
        *vendorId = ids[0].toInt(&vendorOk, 16);
        *productId = ids[1].toInt(&productOk, 16);
    }
    return vendorOk && productOk && *vendorId > 0 && *productId > 0;
}

Parsed usageError(const QString &reason)
{
    Parsed p;
    p.status = fail(Exit::Usage, reason + Cli::tr("\nRun \"tarvenix-cli --help\" for the "
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

// A file named on the command line, never one of Qt's resources, whose names start with ':'
// (checkFileArgument knows of the "./").
QString fileArgument(const QString &word)
{
    return word.startsWith(QLatin1Char(':')) ? QStringLiteral("./") + word : word;
}

} // namespace

Parsed parseArguments(const QStringList &arguments)
{
    Parser p;
    if (!p.parser.parse(arguments))
        return usageError(p.parser.errorText());
    Parsed parsed;
    if (p.parser.isSet(p.help) || p.parser.isSet(p.version)) {
        parsed.help = p.parser.isSet(p.help);
        parsed.version = !parsed.help;
        return parsed;
    }
    QStringList words = p.parser.positionalArguments();
    if (words.isEmpty())
        return usageError(Cli::tr("No command given."));
    const CommandName *command = findCommand(words[0]);
    if (!command)
        return usageError(Cli::tr("Unknown command \"%1\".").arg(words[0]));
    if (command->takesFile && words.size() < 2)
        return usageError(Cli::tr("The %1 command needs a file.").arg(words[0]));
    if (words.size() > (command->takesFile ? 2 : 1))
        return usageError(Cli::tr("Too many arguments for the %1 command.").arg(words[0]));
    if (command->takesFile)
        words[1] = fileArgument(words[1]);
    const QString misplaced = p.misplaced(command->command);
    if (!misplaced.isEmpty())
        return usageError(misplaced);
    if (p.parser.values(p.serial).contains(QString()))
        return usageError(Cli::tr("--serial needs a device's serial number, as list shows it."));
    const QString record = fileArgument(p.parser.value(p.record));
    if (p.parser.isSet(p.record) && record.isEmpty())
        return usageError(Cli::tr("--record needs the name of the capture's file."));
    // The capture would take the place of the file the command reads or writes: a save's as
    // given or with ".bin" added.
    const auto sameFile = [&record](const QString &file) {
        return QFileInfo(record).absoluteFilePath() == QFileInfo(file).absoluteFilePath();
    };
    if (command->takesFile && !record.isEmpty() &&
        (sameFile(words[1]) ||
         (command->command == Command::Save && sameFile(saveFileName(words[1])))))
        return usageError(Cli::tr("--record names the command's own file \"%1\": give the "
                                  "capture a name of its own.")
                              .arg(record));
    // An unset variable in a script must not pick the first device instead.
    if (p.parser.values(p.device).contains(QString()))
        return usageError(Cli::tr("--device needs the path of a device, as list shows it."));
    Options &o = parsed.options;
    o.command = command->command;
    o.file = command->takesFile ? words[1] : QString();
    o.devices = p.parser.values(p.device);
    o.device = o.devices.size() == 1 ? o.devices.first() : QString();
    o.serials = p.parser.values(p.serial);
    o.all = p.parser.isSet(p.all);
    if (p.parser.isSet(p.product) &&
        !parseProduct(p.parser.value(p.product), &o.vendorId, &o.productId))
        return usageError(Cli::tr("--product takes the vendor and product id in hex, as "
                                  "list shows them, for example 1abe:2202."));
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
            return usageError(Cli::tr("--limit needs a whole number of 1 or more."));
    }
    o.record = record;
    o.recordPaths = p.parser.isSet(p.recordPaths);
    return parsed;
}

QString helpText()
{
    return Parser().parser.helpText() + Cli::tr(kEpilogue);
}

} // namespace tarvenix::cli
