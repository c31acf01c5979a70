<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Cli</name>
    <message>
        <source> Add --force to replace it, or choose another name.</source>
        <translation>如需替换，请加上 --force，或另选一个文件名。</translation>
    </message>
    <message>
        <source>The device&apos;s version reply ended inside the version text, so the text may be incomplete. Please check the device and its cable, then try again.</source>
        <translation>设备的版本应答在版本文本中途结束，因此文本可能不完整。请检查设备及其连接线，然后重试。</translation>
    </message>
    <message>
        <source>The device %1 the version query. Please check the device and its cable, then try again.</source>
        <translation>设备%1版本查询。请检查设备及其连接线，然后重试。</translation>
    </message>
    <message>
        <source>did not accept</source>
        <translation>未接受</translation>
    </message>
    <message>
        <source>did not answer</source>
        <translation>未应答</translation>
    </message>
    <message>
        <source>No supported device is present. Plug the pressure mouse in (or check its cable), then try again.</source>
        <translation>未找到受支持的设备。请连接压感鼠标（或检查其连接线），然后重试。</translation>
    </message>
    <message>
        <source>There is no supported device at %1. Run &quot;tarvenix-cli list&quot; to see the paths of the supported devices present.</source>
        <translation>%1 处没有受支持的设备。运行“tarvenix-cli list”可查看已连接的受支持设备的路径。</translation>
    </message>
    <message>
        <source>The device at %1 is present but cannot be opened. </source>
        <translation>%1 处的设备存在，但无法打开。</translation>
    </message>
    <message>
        <source>
The device was unplugged. Plug it in again and repeat the command.</source>
        <translation>
设备已被拔出。请重新插入设备，然后再次执行该命令。</translation>
    </message>
    <message>
        <source>The HID library could not start. Please check that hidraw devices are available, then try again.</source>
        <translation>HID 库无法启动。请检查 hidraw 设备是否可用，然后重试。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>显示此帮助并退出。</translation>
    </message>
    <message>
        <source>Show no progress; errors are still shown.</source>
        <translation>不显示进度；错误仍会显示。</translation>
    </message>
    <message>
        <source>Show the trace of every device exchange on stderr.</source>
        <translation>在 stderr 上显示与设备每次通信的跟踪信息。</translation>
    </message>
    <message>
        <source>Let save replace an existing file; a symbolic link is replaced itself, never written through.</source>
        <translation>允许 save 替换已有文件；符号链接本身会被替换，绝不会写入其指向的文件。</translation>
    </message>
    <message>
        <source>Downloads firmware and data into a Tarvenix pressure mouse, saves its data area, and checks it against a file.</source>
        <translation>将固件和数据下载到 Tarvenix 压感鼠标，保存其数据区，并将其与文件比对。</translation>
    </message>
    <message>
        <source>The file that the command reads or writes.</source>
        <translation>命令读取或写入的文件。</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[文件]</translation>
    </message>
    <message>
        <source>--verify applies to data only; to check a file by itself, use the verify command.</source>
        <translation>--verify 仅适用于 data；如需单独校验文件，请使用 verify 命令。</translation>
    </message>
    <message>
        <source>--force applies to save only.</source>
        <translation>--force 仅适用于 save。</translation>
    </message>
    <message>
        <source>
Run &quot;tarvenix-cli --help&quot; for the commands and options.</source>
        <translation>
运行“tarvenix-cli --help”查看命令和选项。</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>未指定命令。</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>未知命令“%1”。</translation>
    </message>
    <message>
        <source>The %1 command needs a file.</source>
        <translation>%1 命令需要一个文件。</translation>
    </message>
    <message>
        <source>Too many arguments for the %1 command.</source>
        <translation>%1 命令的参数过多。</translation>
    </message>
    <message>
        <source>%1: step %2 of %3, %4
</source>
        <translation>%1：第 %2/%3 步，%4
</translation>
    </message>
    <message>
        <source>%1 of %2 blocks</source>
        <translation>%1/%2 块</translation>
    </message>
    <message>
        <source>done: %1 blocks in %2 s (%3)</source>
        <translation>完成：%1 块，用时 %2 秒（%3）</translation>
    </message>
    <message>
        <source>tarvenix-cli: writing to standard output failed: %1.</source>
        <translation>tarvenix-cli：写入标准输出失败：%1。</translation>
    </message>
    <message>
        <source>%1 MiB/s</source>
        <translation>%1 MiB/s</translation>
    </message>
    <message>
        <source>%1 KiB/s</source>
        <translation>%1 KiB/s</translation>
    </message>
    <message>
        <source>Record what the command exchanges with the device into &lt;file&gt;, a capture for a bug report. It holds the bytes sent and read.</source>
        <translation>将命令与设备之间的通信录制到 &lt;file&gt;，作为提交错误报告用的记录。其中包含发送和读取的字节。</translation>
    </message>
    <message>
        <source>Keep the names of the files in the capture, which otherwise says FILE instead.</source>
        <translation>在记录中保留文件名；否则记录中以 FILE 代替。</translation>
    </message>
    <message>
        <source>--record-paths applies with --record only.</source>
        <translation>--record-paths 只能与 --record 一起使用。</translation>
    </message>
    <message>
        <source>--record needs the name of the capture&apos;s file.</source>
        <translation>--record 需要指定记录文件的名称。</translation>
    </message>
    <message>
        <source>--record names the command&apos;s own file &quot;%1&quot;: give the capture a name of its own.</source>
        <translation>--record 指定的是命令本身使用的文件“%1”：请为记录另起一个名称。</translation>
    </message>
    <message>
        <source>The devices are of more than one model, and an image is made for one model only. Found:</source>
        <translation>这些设备属于不止一种型号，而映像只适用于一种型号。找到：</translation>
    </message>
    <message>
        <source>
Add --product VID:PID to pick one model, for example --product %1.</source>
        <translation>
请用 --product VID:PID 选择一种型号，例如 --product %1。</translation>
    </message>
    <message>
        <source>No device of %1:%2 is present. Run &quot;tarvenix-cli list&quot; to see the supported devices present.</source>
        <translation>没有连接 %1:%2 的设备。运行“tarvenix-cli list”查看已连接的受支持设备。</translation>
    </message>
    <message>
        <source>There is no supported device at %1, so no device was touched. Run &quot;tarvenix-cli list&quot; to see the paths of the supported devices present.</source>
        <translation>%1 处没有受支持的设备，因此未访问任何设备。运行“tarvenix-cli list”查看已连接的受支持设备的路径。</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已中止</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>%1 at block %2 of %3 (exit %4)</source>
        <translation>%1，在第 %2 块（共 %3 块）（退出码 %4）</translation>
    </message>
    <message>
        <source>%1 (exit %2)</source>
        <translation>%1（退出码 %2）</translation>
    </message>
    <message>
        <source>Use the device at &lt;path&gt; (as list shows it); given more than once, run on each of them at once.</source>
        <translation>使用 &lt;path&gt; 处的设备（如 list 所示）；多次指定时，同时在每台设备上运行。</translation>
    </message>
    <message>
        <source>Run the command on every supported device present, all at once.</source>
        <translation>在每台已连接的受支持设备上同时运行该命令。</translation>
    </message>
    <message>
        <source>--product takes the vendor and product id in hex, as list shows them, for example 1abe:2202.</source>
        <translation>--product 需要十六进制的厂商 ID 和产品 ID，如 list 所示，例如 1abe:2202。</translation>
    </message>
    <message>
        <source>%1 [%2] %3/%4 blocks  %5  %6 left</source>
        <translation>%1 [%2] %3/%4 块  %5  剩余 %6</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 等待中</translation>
    </message>
    <message>
        <source>%1 %2 [%3] %4/%5 blocks  %6</source>
        <translation>%1 %2 [%3] %4/%5 块  %6</translation>
    </message>
    <message>
        <source>%1 of %2 devices did not succeed; the summary names each one and what failed.</source>
        <translation>%2 台设备中有 %1 台未成功；汇总中列出了每一台及失败原因。</translation>
    </message>
    <message>
        <source>Stopped by signal %1; the summary says what each device holds now.</source>
        <translation>已被信号 %1 中止；汇总中说明了每台设备当前的内容。</translation>
    </message>
    <message>
        <source>
[y/N] </source>
        <translation>
[y/N] </translation>
    </message>
    <message>
        <source>The firmware download was not confirmed; nothing was sent.</source>
        <translation>固件下载未获确认；未发送任何内容。</translation>
    </message>
    <message>
        <source>With data: verify the file after the download, even where the window&apos;s menu turned verifying off.</source>
        <translation>与 data 一起使用：下载后校验该文件，即使窗口菜单已关闭校验。</translation>
    </message>
    <message>
        <source>With data: do not read the area back afterwards.</source>
        <translation>与 data 一起使用：下载后不读回数据区。</translation>
    </message>
    <message>
        <source>With data: do not read the area into a backup first.</source>
        <translation>与 data 一起使用：下载前不将数据区读出备份。</translation>
    </message>
    <message>
        <source>With history: show only the last &lt;n&gt; transfers.</source>
        <translation>与 history 一起使用：只显示最近 &lt;n&gt; 次传输。</translation>
    </message>
    <message>
        <source>--no-verify and --no-backup apply to data only.</source>
        <translation>--no-verify 和 --no-backup 仅适用于 data。</translation>
    </message>
    <message>
        <source>--verify and --no-verify contradict each other.</source>
        <translation>--verify 与 --no-verify 相互矛盾。</translation>
    </message>
    <message>
        <source>--limit applies to history only.</source>
        <translation>--limit 仅适用于 history。</translation>
    </message>
    <message>
        <source>--limit needs a whole number of 1 or more.</source>
        <translation>--limit 需要一个大于或等于 1 的整数。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder. With several devices, save writes one file per device into a folder: create it, or name another one.</source>
        <translation>“%1”不是文件夹。有多台设备时，save 会为每台设备在一个文件夹中写入一个文件：请创建该文件夹，或指定另一个文件夹。</translation>
    </message>
    <message>
        <source>
To download without a backup, add --no-backup.</source>
        <translation>
如需不备份直接下载，请加上 --no-backup。</translation>
    </message>
    <message>
        <source>
If &quot;%1&quot; is the data image meant for the device, download it again with: tarvenix-cli data &quot;%1&quot;</source>
        <translation>
如果“%1”是该设备应有的数据映像，请用以下命令重新下载：tarvenix-cli data &quot;%1&quot;</translation>
    </message>
    <message>
        <source>

Do not unplug the device or stop this program until the download is done.</source>
        <translation>

下载完成前，请勿拔出设备或停止本程序。</translation>
    </message>
    <message>
        <source>

Do not unplug the devices or stop this program until every download is done.</source>
        <translation>

所有下载完成前，请勿拔出设备或停止本程序。</translation>
    </message>
    <message>
        <source>
Pick devices of one model with --device or --serial.</source>
        <translation>
请用 --device 或 --serial 选择同一型号的设备。</translation>
    </message>
    <message>
        <source>No supported device with the serial number %1 is present, so no device was touched. Run &quot;tarvenix-cli list&quot; to see the serial numbers of the supported devices present.</source>
        <translation>没有连接序列号为 %1 的受支持设备，因此未访问任何设备。运行“tarvenix-cli list”可查看已连接的受支持设备的序列号。</translation>
    </message>
    <message>
        <source>More than one device has the serial number %1, so it does not say which to use:
  %2
Pick one with --device PATH.</source>
        <translation>有多台设备的序列号为 %1，因此无法确定使用哪一台：
  %2
请用 --device 路径 选择其中一台。</translation>
    </message>
    <message>
        <source>%1 of %2 checks failed; each failed line says what to do.</source>
        <translation>%2 项检查中有 %1 项失败；每个失败的行都说明了该怎么做。</translation>
    </message>
    <message>
        <source>
Commands:
  list           List the supported devices present: the row of the
                 supported-device table (1-5) each matched, vendor:product,
                 usage page and usage, hidraw path, manufacturer, product and
                 serial.
  version        Print the device&apos;s version text.
  firmware FILE  Download the firmware image FILE into the device. On a
                 terminal it first asks, naming the file and the device
                 (--yes answers); afterwards it reads the version again and
                 prints it with the one before.
  data FILE      Download the data image FILE into the device&apos;s data area.
                 First the whole area is read into a backup file (524288
                 bytes, about as long as a save), which is named; afterwards
                 the area is read back and compared with FILE. So data reads
                 the area twice. --no-backup and --no-verify leave a step out.
                 To restore a backup, download it with data.
  save FILE      Save the whole data area (524288 bytes) into FILE. &quot;.bin&quot; is
                 appended unless FILE already ends in &quot;.bin&quot; (in any case).
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
                 to do when it fails: the udev rule, each device&apos;s node and
                 access to it, its report sizes, logind (which keeps the
                 machine awake), the HID library, and the folders of the
                 history, the backups and the settings. It opens no device.
                 Its output names the devices&apos; paths and serial numbers.

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
  The window&apos;s menu turns the backup, the verify and the firmware question
  off and on; the options above override that for one run.

Several devices at once (version, firmware, data, save, verify):
  --all runs the command on every supported device present, each on its own
  thread; --device PATH or --serial SERIAL given more than once runs it on
  those devices. All of them must be of one vendor:product (version reads
  any): the run refuses before touching any device when they are not;
  --product VID:PID picks one model. save --all DIR writes one file per
  device into the folder DIR, named after the device&apos;s serial number (or
  its path when it has none). Progress is one line per
  device. At the end a summary gives every device&apos;s result, its own exit code
  and what failed; with --json the same as JSON on standard output. The set of
  devices is fixed at the start: one plugged in later is named, not taken.
  data backs up and verifies each device as a single download does, each
  transfer with its own history line; firmware on a terminal asks once for the
  whole run, naming every device (--yes answers).

JSON:
  With --json every command prints one JSON document on standard output, also
  when it fails (the message still goes to standard error); a usage error
  prints none. Each has &quot;schema&quot;, and a device is described under &quot;device&quot;.
  firmware, data, save and verify give &quot;result&quot; (ok, failed or stopped),
  &quot;exitCode&quot;, and of &quot;message&quot;, &quot;file&quot;, &quot;backup&quot;, &quot;versionBefore&quot;,
  &quot;versionAfter&quot;, &quot;block&quot;, &quot;blocks&quot; and &quot;phase&quot; what applies.

Recording:
  --record FILE writes a capture: every report written to and read from the
  device, with its time, and the device&apos;s identity. It holds the bytes of the
  files sent and read, so it is as private as they are. With list and
  several devices, and in a run on several devices, one capture per device:
  FILE with each device&apos;s serial added.

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
     succeed; the summary gives each one&apos;s own code
  9  the firmware question was not answered yes; nothing was sent
  10 doctor: one or more checks failed; each failed line says what to do
  128+N  a transfer was stopped by signal N (SIGINT, SIGTERM or SIGHUP)
     between two blocks; the message says what the device holds now (on
     several devices, the summary says it for each one)
</source>
        <translation>
命令：
  list           列出已连接的受支持设备：每台设备所匹配的受支持设备表行号
                 （1-5）、vendor:product、usage page 和 usage、hidraw 路径、
                 制造商、产品名称和序列号。
  version        显示设备的版本文本。
  firmware FILE  将固件映像 FILE 下载到设备。在终端中会先询问，并列出文件和
                 设备（--yes 可直接确认）；下载后再次读取版本，并与之前的
                 版本一同显示。
  data FILE      将数据映像 FILE 下载到设备的数据区。下载前先将整个数据区
                 读出到一个备份文件（524288 字节，耗时与 save 相当），并告知
                 其文件名；下载后读回数据区并与 FILE 比较。因此 data 会读取
                 数据区两次。--no-backup 和 --no-verify 可省去相应步骤。
                 如需恢复备份，用 data 下载该备份文件即可。
  save FILE      将整个数据区（524288 字节）保存到 FILE。若 FILE 不以
                 “.bin”结尾（不区分大小写），则自动加上“.bin”。所有数据块
                 都收到后才写入文件。若期间出现了同名文件，则保持该文件
                 不变，数据另存到其旁边的文件中，并告知该文件名。
  verify FILE    读回数据区中 FILE 所覆盖的数据块并与 FILE 比较；指出第一个
                 不一致的数据块。
  backups        列出数据下载前所做的备份，从旧到新。每台设备保留最新的
                 20 个备份，以及最近一次成功下载数据之后所做的最早一个备份。
  history        列出已进行的传输（firmware、data、save），从旧到新。
  doctor         检查真实设备所需的条件，每项检查一行，并说明失败时该怎么做：
                 udev 规则、每台设备的设备节点及其访问权限、报告大小、logind
                 （用于防止计算机休眠）、HID 库，以及历史记录、备份和设置所在
                 的文件夹。它不会打开任何设备。其输出包含设备的路径和序列号。

文件：
  固件、数据和校验文件必须由完整的 512 字节块组成，即大小为 512 字节的
  非零倍数；数据和校验文件最大 524288 字节。
  文件名必须是有效的 UTF-8。
  未指定 --device 或 --serial 时，按设备表顺序使用第一台受支持的设备。
  --serial 按序列号查找设备，无论它连接在哪里；若有两台设备具有该序列号，
  则拒绝运行。
  备份：    ~/.local/share/tarvenix/backups（Windows：%LOCALAPPDATA%\tarvenix\backups）
  历史记录：$XDG_STATE_HOME/tarvenix/history.jsonl，默认为
            ~/.local/state/tarvenix/history.jsonl（Windows：
            %LOCALAPPDATA%\tarvenix\history.jsonl），每行一个 JSON 对象
  窗口菜单可开启或关闭备份、校验和固件下载前的询问；上述选项可在单次运行
  中覆盖这些设置。

同时处理多台设备（version、firmware、data、save、verify）：
  --all 在每台已连接的受支持设备上运行该命令，每台设备使用各自的线程；
  多次指定 --device 路径 或 --serial 序列号 则在这些设备上运行。所有设备
  必须属于同一 vendor:product（version 可读取任何型号），否则在访问任何
  设备之前即拒绝运行；--product VID:PID
  选择一种型号。save --all 目录 为每台设备在 目录 中写入一个文件，以设备的
  序列号命名（没有序列号时以其路径命名）。进度为每台设备一行。结束时的
  汇总列出每台设备的结果、其自身的退出码和失败原因；使用 --json 时以
  JSON 格式输出到标准输出。设备集合在开始时即已确定：之后连接的设备会被
  列出，但不会被处理。
  data 会像单台下载一样为每台设备备份并校验，每次传输各写一条历史记录；
  firmware 在终端中只为整个运行询问一次，并列出每台设备（--yes 可直接
  确认）。

JSON：
  使用 --json 时，每个命令都在标准输出上输出一个 JSON 文档，失败时也是
  如此（消息仍输出到标准错误输出）；用法错误时不输出。每个文档都包含
  &quot;schema&quot;，设备在 &quot;device&quot; 下描述。firmware、data、save 和 verify 输出
  &quot;result&quot;（ok、failed 或 stopped）、&quot;exitCode&quot;，以及 &quot;message&quot;、&quot;file&quot;、
  &quot;backup&quot;、&quot;versionBefore&quot;、&quot;versionAfter&quot;、&quot;block&quot;、&quot;blocks&quot; 和
  &quot;phase&quot; 中适用的各项。

录制：
  --record FILE 写入一份记录：与设备之间写入和读取的每个报告及其时间，
  以及设备的标识。记录中包含所发送和读取文件的字节，因此与这些文件同样
  私密。对 list 且有多台设备时，以及在多台设备上运行时，每台设备一份
  记录：在 FILE 名称中加上各设备的序列号。

退出码：
  0  成功
  1  无法将结果写入标准输出（原因见标准错误输出）
  2  用法错误：未知的命令或选项，缺少参数或参数多余；设备属于多种型号，
     或有两台设备具有 --serial 指定的序列号
  3  没有连接受支持的设备（或 --device 指定的路径处没有设备，或没有具有
     --serial 指定序列号的设备）
  4  设备忙：另一个 Tarvenix 程序正在与其传输数据
  5  文件错误：文件缺失、无法读取、大小不符或无法写入，文件名不是 UTF-8
     或不指向文件，保存目标已存在（包括符号链接）且未指定 --force，
     或文件在传输过程中被更改或出现
  6  设备错误：设备无法打开或锁定，未接受或未应答请求，发送了不对应我方
     任何请求的报告（有其他程序正在使用该设备），或已被拔出
  7  verify 发现有数据块与文件不一致（数据下载后的校验亦然）
  8  部分设备失败：在多台设备上运行时，有一台或多台未成功；汇总中列出
     每台设备自身的退出码
  9  下载固件前的询问未得到肯定回答；未发送任何内容
  10 doctor：有一项或多项检查失败；每个失败的行都说明了该怎么做
  128+N  传输在两个数据块之间被信号 N（SIGINT、SIGTERM 或 SIGHUP）中止；
     消息会说明设备当前的内容（多台设备时，汇总会逐台说明）
</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and exit.</source>
        <translation>显示程序的版本并退出。</translation>
    </message>
    <message>
        <source>Use the device with the serial number &lt;serial&gt; (as list shows it), wherever it is plugged in; given more than once, run on each of them at once.</source>
        <translation>使用序列号为 &lt;serial&gt; 的设备（如 list 所示），无论它连接在哪里；多次指定时，同时在每台这些设备上运行。</translation>
    </message>
    <message>
        <source>Print the result as one JSON document on standard output, also when the command fails.</source>
        <translation>将结果作为一个 JSON 文档输出到标准输出，命令失败时也是如此。</translation>
    </message>
    <message>
        <source>Answer yes to the firmware question. Every command accepts it; the others ask nothing.</source>
        <translation>对固件下载前的询问回答“是”。每个命令都接受此选项；其他命令不会询问。</translation>
    </message>
    <message>
        <source>With --all or --serial: only the devices of this vendor and product id (hex, as list shows them).</source>
        <translation>与 --all 或 --serial 一起使用：仅限具有此厂商和产品 ID 的设备（十六进制，如 list 所示）。</translation>
    </message>
    <message>
        <source>list, version, firmware, data, save, verify, backups, history or doctor.</source>
        <translation>list、version、firmware、data、save、verify、backups、history 或 doctor。</translation>
    </message>
    <message>
        <source>--record does not apply to doctor, which exchanges nothing with the device.</source>
        <translation>--record 不适用于 doctor，它不与设备交换任何数据。</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to list, which shows every device.</source>
        <translation>--device、--serial 和 --all 不适用于 list，它会显示所有设备。</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to backups and history, which show every device&apos;s.</source>
        <translation>--device、--serial 和 --all 不适用于 backups 和 history，它们会显示所有设备的记录。</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to doctor, which checks every device.</source>
        <translation>--device、--serial 和 --all 不适用于 doctor，它会检查所有设备。</translation>
    </message>
    <message>
        <source>--all takes every device: leave out --device and --serial, or give one of them once for each device to use.</source>
        <translation>--all 会使用所有设备：请去掉 --device 和 --serial，或为每台要使用的设备各指定一次其中之一。</translation>
    </message>
    <message>
        <source>--device and --serial both pick devices: give one of them, once for each device to use.</source>
        <translation>--device 和 --serial 都用于选择设备：请只用其中之一，为每台要使用的设备各指定一次。</translation>
    </message>
    <message>
        <source>--product applies with --all or --serial only.</source>
        <translation>--product 只能与 --all 或 --serial 一起使用。</translation>
    </message>
    <message>
        <source>--%1 %2 is given more than once.</source>
        <translation>--%1 %2 被指定了不止一次。</translation>
    </message>
    <message>
        <source>--serial needs a device&apos;s serial number, as list shows it.</source>
        <translation>--serial 需要设备的序列号（如 list 所示）。</translation>
    </message>
    <message>
        <source>%1 was complete when signal %2 came.</source>
        <translation>收到信号 %2 时，%1已经完成。</translation>
    </message>
    <message>
        <source> The version was not read again.</source>
        <translation>未再次读取版本。</translation>
    </message>
    <message>
        <source>The device answered the version query with an empty report (0 bytes). Please check the device and its cable, then try again.</source>
        <translation>设备用一个空报告（0 字节）应答了版本查询。请检查设备及其线缆，然后重试。</translation>
    </message>
    <message>
        <source>The device answered the version query twice: the first reply answered an earlier request, so the version is not known. Close any other program that uses the device, then try again.</source>
        <translation>设备对版本查询应答了两次：第一个应答属于更早的请求，因此版本未知。请关闭其他正在使用该设备的程序，然后重试。</translation>
    </message>
    <message>
        <source>Stopped by signal %1 during the version query.</source>
        <translation>在版本查询期间被信号 %1 中止。</translation>
    </message>
    <message>
        <source>The device at %1 was unplugged before it could be opened. Plug it in again and repeat the command.</source>
        <translation>位于 %1 的设备在打开之前已被拔出。请重新插入设备，然后再次执行该命令。</translation>
    </message>
    <message>
        <source>--device needs the path of a device, as list shows it.</source>
        <translation>--device 需要设备的路径（即 list 显示的路径）。</translation>
    </message>
    <message>
        <source>Every device was done when signal %1 came; the summary says what each one did.</source>
        <translation>收到信号 %1 时所有设备均已完成；汇总中说明了每台设备完成的操作。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Qt&apos;s own options apply too, among them -platform NAME (xcb, wayland,
offscreen), -display DISPLAY (X11), -style NAME, -stylesheet FILE,
-reverse and -qwindowgeometry WIDTHxHEIGHT+X+Y, and its environment
variables, such as QT_SCALE_FACTOR and QT_LOGGING_RULES.</source>
        <translation>Qt 自身的选项同样适用，其中包括 -platform NAME（xcb、wayland、
offscreen）、-display DISPLAY（X11）、-style NAME、-stylesheet FILE、
-reverse 和 -qwindowgeometry 宽x高+X+Y，以及它的环境变量，
例如 QT_SCALE_FACTOR 和 QT_LOGGING_RULES。</translation>
    </message>
    <message>
        <source>Show the window in this language instead of the system&apos;s.</source>
        <translation>以此语言而非系统语言显示窗口。</translation>
    </message>
    <message>
        <source>Record what the window exchanges with the device into &lt;file&gt;, a capture for a bug report (or set TARVENIX_RECORD=&lt;file&gt;).</source>
        <translation>将窗口与设备之间的通信录制到 &lt;file&gt;，作为提交错误报告用的记录（也可设置 TARVENIX_RECORD=&lt;file&gt;）。</translation>
    </message>
    <message>
        <source>Write the trace of the conversation with the device to standard error (or set QT_LOGGING_RULES=&quot;tarvenix.trace.debug=true&quot;).</source>
        <translation>将与设备通信的跟踪信息写到标准错误输出（也可设置 QT_LOGGING_RULES=&quot;tarvenix.trace.debug=true&quot;）。</translation>
    </message>
    <message>
        <source>Tarvenix Manager: firmware and data transfers for Tarvenix pressure mice, in a window.</source>
        <translation>Tarvenix Manager：在窗口中为 Tarvenix 压感鼠标传输固件和数据。</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>传输</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Backup, or what failed</source>
        <translation>备份或失败原因</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>End the program, after asking</source>
        <translation>确认后退出程序</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Load firmware file</source>
        <translation>加载固件文件</translation>
    </message>
    <message>
        <source>Choose the firmware image (.bin) to download into the device</source>
        <translation>选择要下载到设备的固件映像（.bin）</translation>
    </message>
    <message>
        <source>Run firmware download</source>
        <translation>开始下载固件</translation>
    </message>
    <message>
        <source>Download the chosen firmware image into the device</source>
        <translation>将所选固件映像下载到设备</translation>
    </message>
    <message>
        <source>Load data file</source>
        <translation>加载数据文件</translation>
    </message>
    <message>
        <source>Choose the data image (.bin) to download into the device&apos;s data area</source>
        <translation>选择要下载到设备数据区的数据映像（.bin）</translation>
    </message>
    <message>
        <source>Run data download</source>
        <translation>开始下载数据</translation>
    </message>
    <message>
        <source>Download the chosen data image into the device&apos;s data area</source>
        <translation>将所选数据映像下载到设备数据区</translation>
    </message>
    <message>
        <source>Save device data</source>
        <translation>保存设备数据</translation>
    </message>
    <message>
        <source>Read the device&apos;s whole data area and save it to a file</source>
        <translation>读取设备的整个数据区并保存到文件</translation>
    </message>
    <message>
        <source>Firmware progress</source>
        <translation>固件下载进度</translation>
    </message>
    <message>
        <source>Data progress</source>
        <translation>数据下载进度</translation>
    </message>
    <message>
        <source>Save progress</source>
        <translation>保存进度</translation>
    </message>
    <message>
        <source>step %1 of 6</source>
        <translation>第 %1 步，共 6 步</translation>
    </message>
    <message>
        <source>Arrow %1 of 6</source>
        <translation>第 %1 个箭头，共 6 个</translation>
    </message>
    <message>
        <source>Version not known</source>
        <translation>版本未知</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>设备已连接</translation>
    </message>
    <message>
        <source>Device not connected</source>
        <translation>设备未连接</translation>
    </message>
    <message>
        <source>select data file</source>
        <translation>选择数据文件</translation>
    </message>
    <message>
        <source>Please load data file first !</source>
        <translation>请先加载数据文件！</translation>
    </message>
    <message>
        <source>Save data file</source>
        <translation>保存数据文件</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Download data successfully!</source>
        <translation>数据下载成功！</translation>
    </message>
    <message>
        <source>Save data successfully!</source>
        <translation>数据保存成功！</translation>
    </message>
    <message>
        <source>select bin file</source>
        <translation>选择 bin 文件</translation>
    </message>
    <message>
        <source>Please load firmware file first !</source>
        <translation>请先加载固件文件！</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Not connected device!</source>
        <translation>设备未连接！</translation>
    </message>
    <message>
        <source>Download firmware successfully!</source>
        <translation>固件下载成功！</translation>
    </message>
    <message>
        <source>A supported device is present but cannot be opened. </source>
        <translation>已找到受支持的设备，但无法打开。</translation>
    </message>
    <message>
        <source>A transfer is in progress. Please wait until it has finished.</source>
        <translation>正在传输，请等待传输完成后再操作。</translation>
    </message>
    <message>
        <source> Replace it?</source>
        <translation>是否替换？</translation>
    </message>
    <message>
        <source>Minimising is off here: this desktop has neither a notification area nor a taskbar that could bring the window back.</source>
        <translation>此处无法最小化：当前桌面既没有通知区域，也没有可以恢复窗口的任务栏。</translation>
    </message>
    <message>
        <source>Minimise the window</source>
        <translation>最小化窗口</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Are you sure to  exit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <source>A transfer is in progress. Stop it and exit?
An interrupted firmware download can leave the device unusable.</source>
        <translation>正在传输。是否停止传输并退出？
中断固件下载可能导致设备无法使用。</translation>
    </message>
    <message>
        <source>Download firmware</source>
        <translation>下载固件</translation>
    </message>
    <message>
        <source>

Do not unplug the device or close this window until the download is done.</source>
        <translation>

下载完成前，请勿拔出设备或关闭此窗口。</translation>
    </message>
    <message>
        <source>
Please load the file again.</source>
        <translation>
请重新加载该文件。</translation>
    </message>
    <message>
        <source>To download without a backup, turn off &quot;Back up before a data download&quot; in the window&apos;s menu (right-click the window).</source>
        <translation>如需不备份直接下载，请在窗口菜单（右键单击窗口）中关闭“下载数据前备份”。</translation>
    </message>
    <message>
        <source>Interrupted transfer</source>
        <translation>传输被中断</translation>
    </message>
    <message>
        <source>Chosen file: %1, %L2 bytes</source>
        <translation>已选文件：%1，%L2 字节</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>the device did not answer within %1 %2</source>
        <translation>设备在 %1 %2内没有应答</translation>
    </message>
    <message>
        <source>second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>The device takes whole blocks of %1 bytes, so the size must be a non-zero multiple of %1.</source>
        <translation>设备只接受 %1 字节的整块，因此文件大小必须是 %1 的非零倍数。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes, more than the device&apos;s data area of %3 bytes. Please choose a smaller data file.</source>
        <translation>文件“%1”有 %2 字节，超过了设备数据区的 %3 字节。请选择较小的数据文件。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes, more than the device can address (%3 bytes).</source>
        <translation>文件“%1”有 %2 字节，超出了设备可寻址的范围（%3 字节）。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes. %3</source>
        <translation>文件“%1”有 %2 字节。%3</translation>
    </message>
    <message>
        <source>
The device was unplugged during the transfer. Plug it in again and repeat the transfer.</source>
        <translation>
传输过程中设备被拔出。请重新插入设备，然后重新传输。</translation>
    </message>
    <message>
        <source>
Close any other program that uses the device, then try again.</source>
        <translation>
请关闭正在使用该设备的其他程序，然后重试。</translation>
    </message>
    <message>
        <source>
Please check the file, then repeat the transfer.</source>
        <translation>
请检查文件，然后重新传输。</translation>
    </message>
    <message>
        <source>
Please check the device and its cable, then try again.</source>
        <translation>
请检查设备及其连接线，然后重试。</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>它不是文件</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid UTF-8 (&quot;�&quot; marks the bytes that are not), so this program would read or write another name instead. Please rename the file (or its folder) to a UTF-8 name, then try again.</source>
        <translation>名称“%1”不是有效的 UTF-8（“�”标出了无效的字节），本程序会因此读写另一个名称。请将该文件（或其所在文件夹）重命名为 UTF-8 名称，然后重试。</translation>
    </message>
    <message>
        <source>No file name was given. Please name the file to save to, for example &quot;dump.bin&quot;.</source>
        <translation>未提供文件名。请指定要保存到的文件，例如“dump.bin”。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a folder, not a file. Please add a file name, for example &quot;%2&quot;.</source>
        <translation>“%1”是文件夹，不是文件。请加上文件名，例如“%2”。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.</source>
        <translation>文件“%1”已存在。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists: it is a symbolic link to &quot;%2&quot;. Replacing it replaces the link itself; &quot;%2&quot; is left as it is.</source>
        <translation>“%1”已存在：它是指向“%2”的符号链接。替换时只替换该链接本身，“%2”保持不变。</translation>
    </message>
    <message>
        <source>Cannot save there: %1. Please choose another place.</source>
        <translation>无法保存到该位置：%1。请选择其他位置。</translation>
    </message>
    <message>
        <source>The device cannot be locked: %1. </source>
        <translation>无法锁定设备：%1。</translation>
    </message>
    <message>
        <source>Download firmware</source>
        <translation>下载固件</translation>
    </message>
    <message>
        <source>Download data</source>
        <translation>下载数据</translation>
    </message>
    <message>
        <source>Save data</source>
        <translation>保存数据</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>校验</translation>
    </message>
    <message>
        <source>the HID library did not start</source>
        <translation>HID 库未能启动</translation>
    </message>
    <message>
        <source>no supported device is present</source>
        <translation>没有连接受支持的设备</translation>
    </message>
    <message>
        <source>the device cannot be opened</source>
        <translation>无法打开设备</translation>
    </message>
    <message>
        <source>the device cannot be locked</source>
        <translation>无法锁定设备</translation>
    </message>
    <message>
        <source>the device did not accept the request</source>
        <translation>设备未接受请求</translation>
    </message>
    <message>
        <source>reading the device&apos;s reply failed</source>
        <translation>读取设备应答失败</translation>
    </message>
    <message>
        <source>the device answered with an empty report (0 bytes) instead of its reply</source>
        <translation>设备返回了空报告（0 字节），而不是应答</translation>
    </message>
    <message>
        <source>the device&apos;s reply was too short to carry the block (%1 bytes)</source>
        <translation>设备的应答太短，容纳不下该数据块（%1 字节）</translation>
    </message>
    <message>
        <source>the device&apos;s version reply ended inside the version text</source>
        <translation>设备的版本应答在版本文本中途结束</translation>
    </message>
    <message>
        <source>the device sent a report that answers no request of ours (is another program using the device?)</source>
        <translation>设备发送了一个不对应我方任何请求的报告（是否有其他程序正在使用该设备？）</translation>
    </message>
    <message>
        <source>the transfer was stopped by signal %1</source>
        <translation>传输被信号 %1 中止</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be read (%2)</source>
        <translation>读取文件“%1”失败（%2）</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; ends before this block: it was shortened during the transfer</source>
        <translation>文件“%1”在此数据块之前就已结束：它在传输过程中被截短了</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be written (%2)</source>
        <translation>无法写入文件“%1”（%2）</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be written (no free temporary name beside it)</source>
        <translation>无法写入文件“%1”（其旁边没有可用的临时文件名）</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be written (%2)</source>
        <translation>写入文件“%1”失败（%2）</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; appeared during the save and was left as it is</source>
        <translation>文件“%1”在保存过程中出现，已保持原样</translation>
    </message>
    <message>
        <source>%1 failed at block %2 of %3: %4.</source>
        <translation>%1时在第 %2 块（共 %3 块）失败：%4。</translation>
    </message>
    <message>
        <source>%1 failed: %2.</source>
        <translation>%1失败：%2。</translation>
    </message>
    <message>
        <source>
The data read from the device is kept in &quot;%1&quot;; rename that file to keep it.</source>
        <translation>
从设备读取的数据保存在“%1”中；如需保留，请将该文件重命名。</translation>
    </message>
    <message>
        <source>
No file was written; an existing file keeps its content.</source>
        <translation>
未写入任何文件；已有文件的内容保持不变。</translation>
    </message>
    <message>
        <source>the device holds a partial firmware; run the download again before unplugging it</source>
        <translation>设备中的固件不完整；请在拔出设备前重新下载</translation>
    </message>
    <message>
        <source>the device&apos;s data area is partly overwritten; run the download again</source>
        <translation>设备数据区已被部分覆盖；请重新下载</translation>
    </message>
    <message>
        <source>nothing was saved, and the device is unchanged</source>
        <translation>未保存任何内容，设备保持不变</translation>
    </message>
    <message>
        <source>the device is unchanged</source>
        <translation>设备保持不变</translation>
    </message>
    <message>
        <source>Check the access rights to its hidraw node (install the udev rule 70-tarvenix.rules that comes with this program), then plug it in again.</source>
        <translation>请检查其 hidraw 节点的访问权限（安装本程序附带的 udev 规则 70-tarvenix.rules），然后重新插入设备。</translation>
    </message>
    <message>
        <source>the device was unplugged</source>
        <translation>设备已被拔出</translation>
    </message>
    <message>
        <source>the device holds data that differs from &quot;%1&quot;</source>
        <translation>设备中的数据与“%1”不一致</translation>
    </message>
    <message>
        <source>the backup of the device&apos;s data area failed at block %1 of %2: %3</source>
        <translation>备份设备数据区时在第 %1 块（共 %2 块）失败：%3</translation>
    </message>
    <message>
        <source>the backup of the device&apos;s data area failed: %1</source>
        <translation>备份设备数据区失败：%1</translation>
    </message>
    <message>
        <source>Download data did not start: %1. The device is unchanged.</source>
        <translation>数据下载未开始：%1。设备保持不变。</translation>
    </message>
    <message>
        <source>The data area as it was before the download is kept in &quot;%1&quot;; to restore it, download that file.</source>
        <translation>下载前的数据区已保存在“%1”中；如需恢复，请下载该文件。</translation>
    </message>
    <message>
        <source>%1 failed in the verify, at block %2 of %3: %4.</source>
        <translation>%1时校验失败，位于第 %2 块（共 %3 块）：%4。</translation>
    </message>
    <message>
        <source>the backup before the download was not finished, and the device is unchanged</source>
        <translation>下载前的备份未完成，设备保持不变</translation>
    </message>
    <message>
        <source>the download was complete, but it was not verified</source>
        <translation>下载已完成，但未经校验</translation>
    </message>
    <message>
        <source>The version could not be read again after the download: %1. The device may be restarting; its version is shown again once it is back.</source>
        <translation>下载后无法再次读取版本：%1。设备可能正在重启；设备恢复后会再次显示其版本。</translation>
    </message>
    <message>
        <source>No backup was taken: backups are turned off.</source>
        <translation>未进行备份：备份已关闭。</translation>
    </message>
    <message>
        <source>The data area was read back and matches the file.</source>
        <translation>已读回数据区，与文件一致。</translation>
    </message>
    <message>
        <source>The data area was not read back: verifying is turned off.</source>
        <translation>未读回数据区：校验已关闭。</translation>
    </message>
    <message>
        <source>The device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>%1 (%2) at %3</source>
        <translation>%1（%2），位于 %3</translation>
    </message>
    <message>
        <source>%1 (%2, serial %3) at %4</source>
        <translation>%1（%2，序列号 %3），位于 %4</translation>
    </message>
    <message>
        <source>This transfer could not be added to the history in &quot;%1&quot; (%2). Transfers still work; this is said once until the program starts again.</source>
        <translation>无法将此次传输写入“%1”中的历史记录（%2）。传输仍可正常进行；在程序重新启动前只提示这一次。</translation>
    </message>
    <message>
        <source>The version text is unchanged: &quot;%1&quot;. A device may keep its text after a download.</source>
        <translation>版本文本未变：“%1”。下载后设备可能保留原有的版本文本。</translation>
    </message>
    <message>
        <source>Version before: &quot;%1&quot;
Version after: &quot;%2&quot;</source>
        <translation>下载前版本：“%1”
下载后版本：“%2”</translation>
    </message>
    <message>
        <source>%1, version &quot;%2&quot;</source>
        <translation>%1，版本“%2”</translation>
    </message>
    <message>
        <source>the transfer was stopped</source>
        <translation>传输已被停止</translation>
    </message>
    <message>
        <source>the window was closed during the transfer</source>
        <translation>传输过程中窗口被关闭</translation>
    </message>
    <message>
        <source>the program was ended from the tray during the transfer</source>
        <translation>传输过程中程序从托盘菜单退出</translation>
    </message>
    <message>
        <source>The device is busy: another Tarvenix program is transferring with it. Please wait until that transfer has finished, then try again.</source>
        <translation>设备正忙：另一个 Tarvenix 程序正在与其传输数据。请等待该传输完成，然后重试。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be found. It may have been moved or deleted.</source>
        <translation>找不到文件“%1”。它可能已被移动或删除。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2. Please check it.</source>
        <translation>无法读取文件“%1”：%2。请检查该文件。</translation>
    </message>
    <message>
        <source>another Tarvenix program is transferring with the device</source>
        <translation>另一个 Tarvenix 程序正在与设备传输数据</translation>
    </message>
    <message>
        <source>%1 stopped in its %2, before block %3 of %4: %5.</source>
        <translation>%1在%2阶段、第 %3/%4 块之前停止：%5。</translation>
    </message>
    <message>
        <source>%1 stopped before block %2 of %3: %4.</source>
        <translation>%1在第 %2/%3 块之前停止：%4。</translation>
    </message>
    <message>
        <source>Not recording: &quot;%1&quot; exists and is not a capture, so it is left as it is. Choose another name for the capture.</source>
        <translation>未录制：“%1”已存在且不是记录文件，因此保持不变。请为记录另选一个名称。</translation>
    </message>
    <message>
        <source>Recording stopped: the capture &quot;%1&quot; could not be written (%2). The program goes on without recording.</source>
        <translation>录制已停止：无法写入记录“%1”（%2）。程序将继续运行，但不再录制。</translation>
    </message>
    <message>
        <source>Not recording: the capture &quot;%1&quot; cannot be written (%2). Choose another place for it.</source>
        <translation>未录制：无法写入记录“%1”（%2）。请另选一个位置。</translation>
    </message>
    <message>
        <source>Download this firmware into the device?

File: %1, %2 bytes, SHA-256 %3
Device: %4</source>
        <translation>要将此固件下载到设备吗？

文件：%1，%2 字节，SHA-256 %3
设备：%4</translation>
    </message>
    <message>
        <source>Download this firmware into these %1 devices?

File: %2, %3 bytes, SHA-256 %4
Devices:
%5</source>
        <translation>要将此固件下载到这 %1 台设备吗？

文件：%2，%3 字节，SHA-256 %4
设备：
%5</translation>
    </message>
    <message>
        <source>firmware</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>data</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>block %1 of %2: %3</source>
        <translation>第 %1/%2 块：%3</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>verify</source>
        <translation>校验</translation>
    </message>
    <message>
        <source>download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>installed as %1</source>
        <translation>已安装为 %1</translation>
    </message>
    <message>
        <source>70-tarvenix.rules is not installed (looked in %1)</source>
        <translation>未安装 70-tarvenix.rules（已在 %1 中查找）</translation>
    </message>
    <message>
        <source>%1 names every supported device</source>
        <translation>%1 包含所有受支持的设备</translation>
    </message>
    <message>
        <source>%1 does not name %2, which this version supports</source>
        <translation>%1 未包含本版本支持的 %2</translation>
    </message>
    <message>
        <source>%1 present</source>
        <translation>已连接 %1 台</translation>
    </message>
    <message>
        <source>none present</source>
        <translation>未连接任何设备</translation>
    </message>
    <message>
        <source>%1 can be read and written</source>
        <translation>%1 可读可写</translation>
    </message>
    <message>
        <source>%1 cannot be read and written (%2)</source>
        <translation>%1 无法读写（%2）</translation>
    </message>
    <message>
        <source>the report descriptor of %1 cannot be read (%2)</source>
        <translation>无法读取 %1 的报告描述符（%2）</translation>
    </message>
    <message>
        <source>%1 has reports of %2 bytes in and %3 out</source>
        <translation>%1 的输入报告为 %2 字节，输出报告为 %3 字节</translation>
    </message>
    <message>
        <source>%1, but the exchanges need %2 each</source>
        <translation>%1，但数据交换需要各 %2 字节</translation>
    </message>
    <message>
        <source>logind answers on the system bus</source>
        <translation>logind 在系统总线上有应答</translation>
    </message>
    <message>
        <source>logind does not answer on the system bus (%1)</source>
        <translation>logind 在系统总线上无应答（%1）</translation>
    </message>
    <message>
        <source>hidapi %1 is older than %2, which this program was built with</source>
        <translation>hidapi %1 比构建本程序时使用的 %2 旧</translation>
    </message>
    <message>
        <source>%1 is writable</source>
        <translation>%1 可写</translation>
    </message>
    <message>
        <source>%1 is not writable (%2)</source>
        <translation>%1 不可写（%2）</translation>
    </message>
    <message>
        <source>Install it from the build folder: sudo cp build/70-tarvenix.rules /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger (the Debian package installs it itself), then plug the device in again.</source>
        <translation>请从构建文件夹安装：sudo cp build/70-tarvenix.rules /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger（Debian 软件包会自行安装），然后重新连接设备。</translation>
    </message>
    <message>
        <source>udev rule</source>
        <translation>udev 规则</translation>
    </message>
    <message>
        <source>udev rule and device table</source>
        <translation>udev 规则与设备表</translation>
    </message>
    <message>
        <source>supported devices</source>
        <translation>受支持的设备</translation>
    </message>
    <message>
        <source>device access</source>
        <translation>设备访问</translation>
    </message>
    <message>
        <source>report sizes</source>
        <translation>报告大小</translation>
    </message>
    <message>
        <source>sleep inhibitor</source>
        <translation>休眠抑制</translation>
    </message>
    <message>
        <source>HID library</source>
        <translation>HID 库</translation>
    </message>
    <message>
        <source>history folder</source>
        <translation>历史记录文件夹</translation>
    </message>
    <message>
        <source>backups folder</source>
        <translation>备份文件夹</translation>
    </message>
    <message>
        <source>settings folder</source>
        <translation>设置文件夹</translation>
    </message>
    <message>
        <source>The rule comes from another version of this program. </source>
        <translation>该规则来自本程序的其他版本。</translation>
    </message>
    <message>
        <source>Plug the pressure mouse in, or check its cable.</source>
        <translation>请连接压感鼠标，或检查其线缆。</translation>
    </message>
    <message>
        <source>Close any other program that uses the device, then plug it in again.</source>
        <translation>请关闭正在使用该设备的其他程序，然后重新连接设备。</translation>
    </message>
    <message>
        <source>Install the udev rule 70-tarvenix.rules, then plug the device in again: it gives access to the user at the seat, not to a remote login.</source>
        <translation>请安装 udev 规则 70-tarvenix.rules，然后重新连接设备：该规则只为本机座席上的用户授予访问权限，远程登录不在此列。</translation>
    </message>
    <message>
        <source>This may be a model or firmware that this version does not support: attach this output to a bug report.</source>
        <translation>这可能是本版本不支持的型号或固件：请将此输出附在错误报告中。</translation>
    </message>
    <message>
        <source>Transfers still run, but nothing keeps the machine from sleeping during one: keep it awake while a transfer runs.</source>
        <translation>传输仍可进行，但传输期间没有任何机制阻止计算机休眠：请在传输进行时保持计算机唤醒。</translation>
    </message>
    <message>
        <source>Install hidapi %1 or newer (Debian: libhidapi-hidraw0).</source>
        <translation>请安装 hidapi %1 或更新版本（Debian：libhidapi-hidraw0）。</translation>
    </message>
    <message>
        <source>Make it writable for this user (check its owner, its permissions and the free space).</source>
        <translation>请使其对当前用户可写（检查其所有者、权限和剩余空间）。</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1：%2。</translation>
    </message>
    <message>
        <source>These checks name your devices&apos; paths and serial numbers and your folders: read them before you share them.</source>
        <translation>这些检查结果包含您设备的路径和序列号以及您的文件夹：分享之前请先阅读。</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; changed while it was sent: the device now holds the data as it was read during the transfer (SHA-256 %2), which is not the file as it is now</source>
        <translation>文件“%1”在发送过程中被更改：设备中现在是传输时读取到的数据（SHA-256 %2），而不是该文件现在的内容</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; changed since it was checked, or is missing, unreadable or no longer whole blocks; nothing of it was sent</source>
        <translation>文件“%1”在检查后已被更改，或已不存在、无法读取或不再是完整的数据块；未发送任何内容</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>命名管道（FIFO）</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>套接字</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>特殊文件</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file but %2, so nothing can be saved under that name. Please choose another name.</source>
        <translation>“%1”不是文件，而是%2，因此无法以该名称保存。请选择其他名称。</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>已中断</translation>
    </message>
    <message>
        <source>running</source>
        <translation>进行中</translation>
    </message>
    <message>
        <source>the program ended during the transfer</source>
        <translation>程序在传输过程中结束</translation>
    </message>
    <message>
        <source>Lines of the history that could not be read were left out: %1.</source>
        <translation>已略过历史记录中无法读取的行：%1。</translation>
    </message>
    <message>
        <source>%1 on %2, started %3, did not end: the program that ran it ended first (a crash, a kill or a power loss).</source>
        <translation>在 %2 上的%1（开始于 %3）未能结束：运行它的程序先结束了（崩溃、被终止或断电）。</translation>
    </message>
    <message>
        <source>The device may hold a partial firmware. Run the firmware download again with the same file, &quot;%1&quot; (SHA-256 %2), before unplugging the device.</source>
        <translation>设备中的固件可能不完整。请在拔出设备前，使用同一文件“%1”（SHA-256 %2）重新下载固件。</translation>
    </message>
    <message>
        <source>The device&apos;s data area may be partly overwritten. Download &quot;%1&quot; (SHA-256 %2) again.</source>
        <translation>设备数据区可能已被部分覆盖。请重新下载“%1”（SHA-256 %2）。</translation>
    </message>
    <message>
        <source>The device is unchanged, and &quot;%1&quot; was not written: it holds what it held before. Save again to get the data.</source>
        <translation>设备未被更改，“%1”也未被写入：其内容与之前相同。请重新保存以获取数据。</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is not a regular file, so it is ignored; until it is removed or renamed, the settings may stay at their defaults.</source>
        <translation>设置文件“%1”不是普通文件，因此被忽略；在删除或重命名该文件之前，设置可能保持默认值。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Tarvenix Manager</source>
        <translation>Tarvenix Manager</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Show/Hide</source>
        <translation>显示/隐藏</translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <source>Back up before a data download</source>
        <translation>下载数据前备份</translation>
    </message>
    <message>
        <source>Verify after a data download</source>
        <translation>下载数据后校验</translation>
    </message>
    <message>
        <source>Ask before a firmware download</source>
        <translation>下载固件前询问</translation>
    </message>
    <message>
        <source>Backups…</source>
        <translation>备份…</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>历史记录…</translation>
    </message>
    <message>
        <source>No program to show folders was found. The backups are in &quot;%1&quot;.</source>
        <translation>未找到可显示文件夹的程序。备份位于“%1”。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>跟随系统语言</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>下次启动时生效</translation>
    </message>
</context>
</TS>
