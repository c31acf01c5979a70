<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Cli</name>
    <message>
        <source> Add --force to replace it, or choose another name.</source>
        <translation> Zum Ersetzen geben Sie --force an, oder wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>The device&apos;s version reply ended inside the version text, so the text may be incomplete. Please check the device and its cable, then try again.</source>
        <translation>Die Versionsantwort des Geräts endete mitten im Versionstext; der Text ist daher möglicherweise unvollständig. Bitte prüfen Sie das Gerät und sein Kabel und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The device %1 the version query. Please check the device and its cable, then try again.</source>
        <translation>Das Gerät hat die Versionsabfrage %1. Bitte prüfen Sie das Gerät und sein Kabel und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>did not accept</source>
        <translation>nicht angenommen</translation>
    </message>
    <message>
        <source>did not answer</source>
        <translation>nicht beantwortet</translation>
    </message>
    <message>
        <source>No supported device is present. Plug the pressure mouse in (or check its cable), then try again.</source>
        <translation>Es ist kein unterstütztes Gerät angeschlossen. Schließen Sie die Maus an (oder prüfen Sie ihr Kabel) und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>There is no supported device at %1. Run &quot;tarvenix-cli list&quot; to see the paths of the supported devices present.</source>
        <translation>Unter %1 gibt es kein unterstütztes Gerät. „tarvenix-cli list“ zeigt die Pfade der angeschlossenen unterstützten Geräte.</translation>
    </message>
    <message>
        <source>The device at %1 is present but cannot be opened. </source>
        <translation>Das Gerät unter %1 ist vorhanden, lässt sich aber nicht öffnen. </translation>
    </message>
    <message>
        <source>
The device was unplugged. Plug it in again and repeat the command.</source>
        <translation>
Das Gerät wurde abgezogen. Schließen Sie es wieder an und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The HID library could not start. Please check that hidraw devices are available, then try again.</source>
        <translation>Die HID-Bibliothek ließ sich nicht starten. Bitte prüfen Sie, ob hidraw-Geräte verfügbar sind, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Zeigt diese Hilfe an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Show no progress; errors are still shown.</source>
        <translation>Zeigt keinen Fortschritt an; Fehler werden weiterhin gemeldet.</translation>
    </message>
    <message>
        <source>Show the trace of every device exchange on stderr.</source>
        <translation>Gibt auf stderr eine Trace-Zeile für jeden Austausch mit dem Gerät aus.</translation>
    </message>
    <message>
        <source>Let save replace an existing file; a symbolic link is replaced itself, never written through.</source>
        <translation>Erlaubt save, eine vorhandene Datei zu ersetzen; ein symbolischer Link wird selbst ersetzt, nie durch ihn hindurch beschrieben.</translation>
    </message>
    <message>
        <source>Downloads firmware and data into a Tarvenix pressure mouse, saves its data area, and checks it against a file.</source>
        <translation>Überträgt Firmware und Daten in eine Tarvenix-Maus, speichert ihren Datenbereich und vergleicht ihn mit einer Datei.</translation>
    </message>
    <message>
        <source>The file that the command reads or writes.</source>
        <translation>Die Datei, die der Befehl liest oder schreibt.</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[Datei]</translation>
    </message>
    <message>
        <source>--verify applies to data only; to check a file by itself, use the verify command.</source>
        <translation>--verify gilt nur für data; um eine Datei für sich zu prüfen, verwenden Sie den Befehl verify.</translation>
    </message>
    <message>
        <source>--force applies to save only.</source>
        <translation>--force gilt nur für save.</translation>
    </message>
    <message>
        <source>
Run &quot;tarvenix-cli --help&quot; for the commands and options.</source>
        <translation>
Die Befehle und Optionen zeigt „tarvenix-cli --help“.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Kein Befehl angegeben.</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>The %1 command needs a file.</source>
        <translation>Der Befehl %1 braucht eine Datei.</translation>
    </message>
    <message>
        <source>Too many arguments for the %1 command.</source>
        <translation>Zu viele Argumente für den Befehl %1.</translation>
    </message>
    <message>
        <source>%1: step %2 of %3, %4
</source>
        <translation>%1: Schritt %2 von %3, %4
</translation>
    </message>
    <message>
        <source>%1 of %2 blocks</source>
        <translation>%1 von %2 Blöcken</translation>
    </message>
    <message>
        <source>done: %1 blocks in %2 s (%3)</source>
        <translation>fertig: %1 Blöcke in %L2 s (%3)</translation>
    </message>
    <message>
        <source>tarvenix-cli: writing to standard output failed: %1.</source>
        <translation>tarvenix-cli: Schreiben auf die Standardausgabe fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>%1 MiB/s</source>
        <translation>%L1 MiB/s</translation>
    </message>
    <message>
        <source>%1 KiB/s</source>
        <translation>%L1 KiB/s</translation>
    </message>
    <message>
        <source>Record what the command exchanges with the device into &lt;file&gt;, a capture for a bug report. It holds the bytes sent and read.</source>
        <translation>Zeichnet auf, was der Befehl mit dem Gerät austauscht, in &lt;file&gt;: ein Mitschnitt für einen Fehlerbericht. Er enthält die gesendeten und gelesenen Bytes.</translation>
    </message>
    <message>
        <source>Keep the names of the files in the capture, which otherwise says FILE instead.</source>
        <translation>Behält die Dateinamen im Mitschnitt, der sonst stattdessen FILE enthält.</translation>
    </message>
    <message>
        <source>--record-paths applies with --record only.</source>
        <translation>--record-paths gilt nur zusammen mit --record.</translation>
    </message>
    <message>
        <source>--record needs the name of the capture&apos;s file.</source>
        <translation>--record braucht den Namen der Datei für den Mitschnitt.</translation>
    </message>
    <message>
        <source>--record names the command&apos;s own file &quot;%1&quot;: give the capture a name of its own.</source>
        <translation>--record nennt die Datei „%1“, die der Befehl selbst verwendet: Geben Sie dem Mitschnitt einen eigenen Namen.</translation>
    </message>
    <message>
        <source>The devices are of more than one model, and an image is made for one model only. Found:</source>
        <translation>Die Geräte gehören zu mehr als einem Modell, und ein Image ist nur für ein Modell gemacht. Gefunden:</translation>
    </message>
    <message>
        <source>
Add --product VID:PID to pick one model, for example --product %1.</source>
        <translation>
Wählen Sie mit --product VID:PID ein Modell, zum Beispiel --product %1.</translation>
    </message>
    <message>
        <source>No device of %1:%2 is present. Run &quot;tarvenix-cli list&quot; to see the supported devices present.</source>
        <translation>Kein Gerät %1:%2 ist angeschlossen. „tarvenix-cli list“ zeigt die angeschlossenen unterstützten Geräte.</translation>
    </message>
    <message>
        <source>There is no supported device at %1, so no device was touched. Run &quot;tarvenix-cli list&quot; to see the paths of the supported devices present.</source>
        <translation>Unter %1 gibt es kein unterstütztes Gerät, daher wurde kein Gerät angesprochen. „tarvenix-cli list“ zeigt die Pfade der angeschlossenen unterstützten Geräte.</translation>
    </message>
    <message>
        <source>done</source>
        <translation>fertig</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 at block %2 of %3 (exit %4)</source>
        <translation>%1 bei Block %2 von %3 (Exit %4)</translation>
    </message>
    <message>
        <source>%1 (exit %2)</source>
        <translation>%1 (Exit %2)</translation>
    </message>
    <message>
        <source>Use the device at &lt;path&gt; (as list shows it); given more than once, run on each of them at once.</source>
        <translation>Das Gerät unter &lt;path&gt; verwenden (wie list es zeigt); mehrfach angegeben, auf jedem davon gleichzeitig ausführen.</translation>
    </message>
    <message>
        <source>Run the command on every supported device present, all at once.</source>
        <translation>Den Befehl auf jedem angeschlossenen unterstützten Gerät ausführen, auf allen gleichzeitig.</translation>
    </message>
    <message>
        <source>--product takes the vendor and product id in hex, as list shows them, for example 1abe:2202.</source>
        <translation>--product erwartet die Hersteller- und Produkt-ID hexadezimal, wie list sie zeigt, zum Beispiel 1abe:2202.</translation>
    </message>
    <message>
        <source>%1 [%2] %3/%4 blocks  %5  %6 left</source>
        <translation>%1 [%2] %3/%4 Blöcke  %5  noch %6</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 wartet</translation>
    </message>
    <message>
        <source>%1 %2 [%3] %4/%5 blocks  %6</source>
        <translation>%1 %2 [%3] %4/%5 Blöcke  %6</translation>
    </message>
    <message>
        <source>%1 of %2 devices did not succeed; the summary names each one and what failed.</source>
        <translation>%1 von %2 Geräten waren nicht erfolgreich; die Zusammenfassung nennt jedes und was fehlschlug.</translation>
    </message>
    <message>
        <source>Stopped by signal %1; the summary says what each device holds now.</source>
        <translation>Durch Signal %1 angehalten; die Zusammenfassung sagt, was jedes Gerät jetzt enthält.</translation>
    </message>
    <message>
        <source>
[y/N] </source>
        <translation>
[y/N] </translation>
    </message>
    <message>
        <source>The firmware download was not confirmed; nothing was sent.</source>
        <translation>Die Firmware-Übertragung wurde nicht bestätigt; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>With data: verify the file after the download, even where the window&apos;s menu turned verifying off.</source>
        <translation>Mit data: prüft die Datei nach der Übertragung, auch wenn das Menü des Fensters die Prüfung ausgeschaltet hat.</translation>
    </message>
    <message>
        <source>With data: do not read the area back afterwards.</source>
        <translation>Mit data: liest den Bereich danach nicht zurück.</translation>
    </message>
    <message>
        <source>With data: do not read the area into a backup first.</source>
        <translation>Mit data: liest den Bereich vorher nicht in eine Sicherung.</translation>
    </message>
    <message>
        <source>With history: show only the last &lt;n&gt; transfers.</source>
        <translation>Mit history: zeigt nur die letzten &lt;n&gt; Übertragungen.</translation>
    </message>
    <message>
        <source>--no-verify and --no-backup apply to data only.</source>
        <translation>--no-verify und --no-backup gelten nur für data.</translation>
    </message>
    <message>
        <source>--verify and --no-verify contradict each other.</source>
        <translation>--verify und --no-verify widersprechen einander.</translation>
    </message>
    <message>
        <source>--limit applies to history only.</source>
        <translation>--limit gilt nur für history.</translation>
    </message>
    <message>
        <source>--limit needs a whole number of 1 or more.</source>
        <translation>--limit braucht eine ganze Zahl von 1 oder mehr.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder. With several devices, save writes one file per device into a folder: create it, or name another one.</source>
        <translation>„%1“ ist kein Ordner. Bei mehreren Geräten schreibt save je Gerät eine Datei in einen Ordner: Legen Sie ihn an, oder nennen Sie einen anderen.</translation>
    </message>
    <message>
        <source>
To download without a backup, add --no-backup.</source>
        <translation>
Um ohne Sicherung zu übertragen, fügen Sie --no-backup hinzu.</translation>
    </message>
    <message>
        <source>
If &quot;%1&quot; is the data image meant for the device, download it again with: tarvenix-cli data &quot;%1&quot;</source>
        <translation>
Wenn „%1“ das für das Gerät bestimmte Datenabbild ist, übertragen Sie es erneut mit: tarvenix-cli data &quot;%1&quot;</translation>
    </message>
    <message>
        <source>

Do not unplug the device or stop this program until the download is done.</source>
        <translation>

Ziehen Sie das Gerät nicht ab und beenden Sie dieses Programm nicht, bis die Übertragung abgeschlossen ist.</translation>
    </message>
    <message>
        <source>

Do not unplug the devices or stop this program until every download is done.</source>
        <translation>

Ziehen Sie die Geräte nicht ab und beenden Sie dieses Programm nicht, bis jede Übertragung abgeschlossen ist.</translation>
    </message>
    <message>
        <source>
Pick devices of one model with --device or --serial.</source>
        <translation>
Wählen Sie mit --device oder --serial Geräte eines einzigen Modells.</translation>
    </message>
    <message>
        <source>No supported device with the serial number %1 is present, so no device was touched. Run &quot;tarvenix-cli list&quot; to see the serial numbers of the supported devices present.</source>
        <translation>Kein unterstütztes Gerät mit der Seriennummer %1 ist angeschlossen, daher wurde kein Gerät angesprochen. Führen Sie „tarvenix-cli list“ aus, um die Seriennummern der angeschlossenen unterstützten Geräte zu sehen.</translation>
    </message>
    <message>
        <source>More than one device has the serial number %1, so it does not say which to use:
  %2
Pick one with --device PATH.</source>
        <translation>Mehr als ein Gerät hat die Seriennummer %1, sie sagt also nicht, welches zu verwenden ist:
  %2
Wählen Sie eines mit --device PFAD.</translation>
    </message>
    <message>
        <source>%1 of %2 checks failed; each failed line says what to do.</source>
        <translation>%1 von %2 Prüfungen sind fehlgeschlagen; jede fehlgeschlagene Zeile sagt, was zu tun ist.</translation>
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
Befehle:
  list           Listet die angeschlossenen unterstützten Geräte auf: die
                 Zeile der Tabelle unterstützter Geräte (1-5), zu der jedes
                 passt, Hersteller- und Produktkennung (vendor:product), Usage
                 Page und Usage, hidraw-Pfad, Hersteller, Produkt und
                 Seriennummer.
  version        Gibt den Versionstext des Geräts aus.
  firmware DATEI Überträgt das Firmware-Abbild DATEI in das Gerät. An einem
                 Terminal fragt es zuerst nach und nennt dabei Datei und Gerät
                 (--yes beantwortet die Frage); danach liest es die Version
                 erneut und gibt sie mit der vorherigen aus.
  data DATEI     Überträgt das Datenabbild DATEI in den Datenbereich des
                 Geräts. Zuvor wird der ganze Bereich in eine Sicherungsdatei
                 gelesen (524288 Byte, etwa so lange wie save), deren Name
                 genannt wird; danach wird der Bereich zurückgelesen und mit
                 DATEI verglichen. data liest den Bereich also zweimal.
                 --no-backup und --no-verify lassen einen Schritt aus. Um
                 eine Sicherung wiederherzustellen, übertragen Sie sie mit
                 data.
  save DATEI     Speichert den ganzen Datenbereich (524288 Byte) in DATEI.
                 &quot;.bin&quot; wird angehängt, sofern DATEI nicht schon auf &quot;.bin&quot;
                 endet (gleich in welcher Schreibweise). Die Datei wird erst
                 geschrieben, wenn alle Blöcke angekommen sind. Entsteht
                 inzwischen eine Datei dieses Namens, bleibt sie unverändert,
                 und die Daten liegen daneben in einer Datei, deren Name
                 genannt wird.
  verify DATEI   Liest die Blöcke des Datenbereichs, die DATEI abdeckt,
                 zurück und vergleicht sie mit DATEI; nennt den ersten
                 abweichenden Block.
  backups        Listet die Sicherungen auf, die vor Datenübertragungen
                 angelegt wurden, die älteste zuerst. Je Gerät bleiben die 20
                 neuesten erhalten, dazu die älteste, die nach seiner letzten
                 erfolgreichen Datenübertragung angelegt wurde.
  history        Listet die durchgeführten Übertragungen (firmware, data,
                 save) auf, die älteste zuerst.
  doctor         Prüft, was ein echtes Gerät braucht, eine Zeile je Prüfung
                 mit dem, was bei einem Fehlschlag zu tun ist: die udev-Regel,
                 den Knoten jedes Geräts und den Zugriff darauf, seine
                 Report-Größen, logind (das den Rechner wach hält), die
                 HID-Bibliothek und die Ordner von Verlauf, Sicherungen und
                 Einstellungen. Es öffnet kein Gerät. Die Ausgabe nennt die
                 Pfade und Seriennummern der Geräte.

Dateien:
  Firmware-, Daten- und Prüfdateien müssen aus ganzen Blöcken zu 512 Byte
  bestehen, also ein Vielfaches von 512 Byte und nicht leer sein; Daten-
  und Prüfdateien höchstens 524288 Byte.
  Dateinamen müssen gültiges UTF-8 sein.
  Ohne --device oder --serial wird das erste unterstützte Gerät in der
  Reihenfolge der Tabelle verwendet. --serial findet ein Gerät an seiner
  Seriennummer, wo immer es angeschlossen ist; zwei Geräte mit dieser
  Seriennummer werden abgelehnt.
  Sicherungen: ~/.local/share/tarvenix/backups (Windows: %LOCALAPPDATA%\tarvenix\backups)
  Verlauf:     $XDG_STATE_HOME/tarvenix/history.jsonl, standardmäßig
               ~/.local/state/tarvenix/history.jsonl (Windows:
               %LOCALAPPDATA%\tarvenix\history.jsonl), ein JSON-Objekt je Zeile
  Das Menü des Fensters schaltet die Sicherung, die Prüfung und die
  Firmware-Frage ein und aus; die obigen Optionen setzen das für einen
  Lauf außer Kraft.

Mehrere Geräte gleichzeitig (version, firmware, data, save, verify):
  --all führt den Befehl auf jedem angeschlossenen unterstützten Gerät aus,
  jedes in einem eigenen Thread; mehrfach angegebenes --device PFAD oder
  --serial SERIENNUMMER führt ihn auf diesen Geräten aus. Alle müssen
  dieselbe vendor:product haben (version liest jedes): sonst verweigert der
  Lauf, bevor er ein Gerät anspricht; --product VID:PID wählt ein Modell. save --all ORDNER schreibt eine Datei je Gerät in den
  Ordner ORDNER, benannt nach der Seriennummer des Geräts (oder nach seinem
  Pfad, wenn es keine hat). Der Fortschritt ist eine Zeile je Gerät. Am Ende
  nennt eine Zusammenfassung das Ergebnis jedes Geräts, seinen eigenen
  Exit-Code und was fehlschlug; mit --json dasselbe als JSON auf der
  Standardausgabe. Die Geräte stehen zu Beginn fest: ein später
  angeschlossenes wird genannt, aber nicht genommen.
  data sichert und prüft jedes Gerät wie eine einzelne Übertragung, jede
  Übertragung mit ihrer eigenen Zeile im Verlauf; firmware fragt an einem
  Terminal einmal für den ganzen Lauf und nennt dabei jedes Gerät (--yes
  beantwortet die Frage).

JSON:
  Mit --json gibt jeder Befehl genau ein JSON-Dokument auf der
  Standardausgabe aus, auch wenn er fehlschlägt (die Meldung erscheint
  weiterhin auf der Standardfehlerausgabe); ein Aufruffehler gibt keines
  aus. Jedes enthält &quot;schema&quot;, und ein Gerät wird unter &quot;device&quot;
  beschrieben. firmware, data, save und verify geben &quot;result&quot; (ok,
  failed oder stopped), &quot;exitCode&quot; und von &quot;message&quot;, &quot;file&quot;,
  &quot;backup&quot;, &quot;versionBefore&quot;, &quot;versionAfter&quot;, &quot;block&quot;, &quot;blocks&quot; und
  &quot;phase&quot; das Zutreffende aus.

Aufzeichnung:
  --record DATEI schreibt einen Mitschnitt: jeden an das Gerät geschriebenen
  und von ihm gelesenen Report mit seiner Zeit, dazu die Kennung des Geräts.
  Er enthält die Bytes der gesendeten und gelesenen Dateien und ist daher so
  vertraulich wie diese. Mit list und mehreren Geräten, und bei einem Lauf
  auf mehreren Geräten, entsteht ein Mitschnitt je Gerät: DATEI mit der
  Seriennummer des Geräts im Namen.

Exit-Codes:
  0  Erfolg
  1  ein Ergebnis ließ sich nicht auf die Standardausgabe schreiben (der
     Grund steht auf der Standardfehlerausgabe)
  2  Aufruffehler: unbekannter Befehl oder unbekannte Option, fehlendes
     oder überzähliges Argument; Geräte mehr als eines Modells, oder zwei
     mit der Seriennummer von --serial
  3  kein unterstütztes Gerät angeschlossen (oder keines unter dem Pfad
     von --device oder mit der Seriennummer von --serial)
  4  Gerät belegt: ein anderes Tarvenix-Programm überträgt gerade damit
  5  Dateifehler: Datei fehlt, ist nicht lesbar, hat die falsche Größe oder
     lässt sich nicht schreiben, ein Name ist kein UTF-8 oder bezeichnet
     keine Datei, das Speicherziel existiert (auch als symbolischer Link)
     und --force fehlt, oder eine Datei hat sich während der Übertragung
     geändert oder ist entstanden
  6  Gerätefehler: das Gerät lässt sich nicht öffnen oder sperren, hat
     eine Anfrage nicht angenommen oder nicht beantwortet, hat einen
     Report gesendet, der zu keiner unserer Anfragen passt (ein anderes
     Programm verwendet es), oder wurde abgezogen
  7  verify hat einen Block gefunden, der von der Datei abweicht (auch die
     Prüfung nach einer Datenübertragung)
  8  einige Geräte fehlgeschlagen: bei einem Lauf auf mehreren Geräten war
     mindestens eines nicht erfolgreich; die Zusammenfassung nennt den
     eigenen Code jedes Geräts
  9  die Firmware-Frage wurde nicht mit Ja beantwortet; es wurde nichts
     gesendet
  10 doctor: eine oder mehrere Prüfungen sind fehlgeschlagen; jede
     fehlgeschlagene Zeile sagt, was zu tun ist
  128+N  eine Übertragung wurde zwischen zwei Blöcken durch Signal N
     (SIGINT, SIGTERM oder SIGHUP) angehalten; die Meldung sagt, was das
     Gerät jetzt enthält (bei mehreren Geräten sagt es die Zusammenfassung
     für jedes)
</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and exit.</source>
        <translation>Die Version des Programms anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Use the device with the serial number &lt;serial&gt; (as list shows it), wherever it is plugged in; given more than once, run on each of them at once.</source>
        <translation>Das Gerät mit der Seriennummer &lt;serial&gt; verwenden (wie list sie zeigt), wo immer es angeschlossen ist; mehrfach angegeben, auf jedem dieser Geräte gleichzeitig ausführen.</translation>
    </message>
    <message>
        <source>Print the result as one JSON document on standard output, also when the command fails.</source>
        <translation>Das Ergebnis als ein JSON-Dokument auf der Standardausgabe ausgeben, auch wenn der Befehl fehlschlägt.</translation>
    </message>
    <message>
        <source>Answer yes to the firmware question. Every command accepts it; the others ask nothing.</source>
        <translation>Die Firmware-Frage mit Ja beantworten. Jeder Befehl nimmt die Option an; die anderen fragen nichts.</translation>
    </message>
    <message>
        <source>With --all or --serial: only the devices of this vendor and product id (hex, as list shows them).</source>
        <translation>Mit --all oder --serial: nur die Geräte mit dieser Hersteller- und Produkt-ID (hexadezimal, wie list sie zeigt).</translation>
    </message>
    <message>
        <source>list, version, firmware, data, save, verify, backups, history or doctor.</source>
        <translation>list, version, firmware, data, save, verify, backups, history oder doctor.</translation>
    </message>
    <message>
        <source>--record does not apply to doctor, which exchanges nothing with the device.</source>
        <translation>--record gilt nicht für doctor, das nichts mit dem Gerät austauscht.</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to list, which shows every device.</source>
        <translation>--device, --serial und --all gelten nicht für list, das jedes Gerät zeigt.</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to backups and history, which show every device&apos;s.</source>
        <translation>--device, --serial und --all gelten nicht für backups und history, die die Einträge jedes Geräts zeigen.</translation>
    </message>
    <message>
        <source>--device, --serial and --all do not apply to doctor, which checks every device.</source>
        <translation>--device, --serial und --all gelten nicht für doctor, das jedes Gerät prüft.</translation>
    </message>
    <message>
        <source>--all takes every device: leave out --device and --serial, or give one of them once for each device to use.</source>
        <translation>--all nimmt jedes Gerät: lassen Sie --device und --serial weg, oder geben Sie eine der beiden Optionen einmal für jedes zu verwendende Gerät an.</translation>
    </message>
    <message>
        <source>--device and --serial both pick devices: give one of them, once for each device to use.</source>
        <translation>--device und --serial wählen beide Geräte: geben Sie eine der beiden an, einmal für jedes zu verwendende Gerät.</translation>
    </message>
    <message>
        <source>--product applies with --all or --serial only.</source>
        <translation>--product gilt nur zusammen mit --all oder --serial.</translation>
    </message>
    <message>
        <source>--%1 %2 is given more than once.</source>
        <translation>--%1 %2 ist mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>--serial needs a device&apos;s serial number, as list shows it.</source>
        <translation>--serial braucht die Seriennummer eines Geräts, wie list sie zeigt.</translation>
    </message>
    <message>
        <source>%1 was complete when signal %2 came.</source>
        <translation>%1 war abgeschlossen, als Signal %2 kam.</translation>
    </message>
    <message>
        <source> The version was not read again.</source>
        <translation> Die Version wurde nicht erneut gelesen.</translation>
    </message>
    <message>
        <source>The device answered the version query with an empty report (0 bytes). Please check the device and its cable, then try again.</source>
        <translation>Das Gerät hat die Versionsabfrage mit einem leeren Bericht (0 Bytes) beantwortet. Bitte prüfen Sie das Gerät und sein Kabel und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The device answered the version query twice: the first reply answered an earlier request, so the version is not known. Close any other program that uses the device, then try again.</source>
        <translation>Das Gerät hat die Versionsabfrage zweimal beantwortet: Die erste Antwort galt einer früheren Anfrage, daher ist die Version nicht bekannt. Schließen Sie alle anderen Programme, die das Gerät verwenden, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Stopped by signal %1 during the version query.</source>
        <translation>Durch Signal %1 während der Versionsabfrage angehalten.</translation>
    </message>
    <message>
        <source>The device at %1 was unplugged before it could be opened. Plug it in again and repeat the command.</source>
        <translation>Das Gerät unter %1 wurde abgezogen, bevor es geöffnet werden konnte. Schließen Sie es wieder an und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>--device needs the path of a device, as list shows it.</source>
        <translation>--device braucht den Pfad eines Geräts, wie list ihn anzeigt.</translation>
    </message>
    <message>
        <source>Every device was done when signal %1 came; the summary says what each one did.</source>
        <translation>Alle Geräte waren fertig, als Signal %1 kam; die Zusammenfassung sagt, was jedes getan hat.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Qt&apos;s own options apply too, among them -platform NAME (xcb, wayland,
offscreen), -display DISPLAY (X11), -style NAME, -stylesheet FILE,
-reverse and -qwindowgeometry WIDTHxHEIGHT+X+Y, and its environment
variables, such as QT_SCALE_FACTOR and QT_LOGGING_RULES.</source>
        <translation>Auch Qts eigene Optionen gelten, darunter -platform NAME (xcb, wayland,
offscreen), -display DISPLAY (X11), -style NAME, -stylesheet FILE,
-reverse und -qwindowgeometry BREITExHÖHE+X+Y, sowie seine
Umgebungsvariablen, etwa QT_SCALE_FACTOR und QT_LOGGING_RULES.</translation>
    </message>
    <message>
        <source>Show the window in this language instead of the system&apos;s.</source>
        <translation>Zeigt das Fenster in dieser Sprache statt in der des Systems.</translation>
    </message>
    <message>
        <source>Record what the window exchanges with the device into &lt;file&gt;, a capture for a bug report (or set TARVENIX_RECORD=&lt;file&gt;).</source>
        <translation>Zeichnet auf, was das Fenster mit dem Gerät austauscht, in &lt;file&gt;: ein Mitschnitt für einen Fehlerbericht (oder TARVENIX_RECORD=&lt;file&gt; setzen).</translation>
    </message>
    <message>
        <source>Write the trace of the conversation with the device to standard error (or set QT_LOGGING_RULES=&quot;tarvenix.trace.debug=true&quot;).</source>
        <translation>Schreibt den Trace des Gesprächs mit dem Gerät auf die Standardfehlerausgabe (oder QT_LOGGING_RULES=&quot;tarvenix.trace.debug=true&quot; setzen).</translation>
    </message>
    <message>
        <source>Tarvenix Manager: firmware and data transfers for Tarvenix pressure mice, in a window.</source>
        <translation>Tarvenix Manager: Firmware- und Datenübertragungen für Tarvenix-Druckmäuse, in einem Fenster.</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Backup, or what failed</source>
        <translation>Sicherung oder Fehler</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>End the program, after asking</source>
        <translation>Beendet das Programm nach einer Rückfrage</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Load firmware file</source>
        <translation>Firmware-Datei laden</translation>
    </message>
    <message>
        <source>Choose the firmware image (.bin) to download into the device</source>
        <translation>Wählt das Firmware-Abbild (.bin), das in das Gerät übertragen wird</translation>
    </message>
    <message>
        <source>Run firmware download</source>
        <translation>Firmware-Übertragung starten</translation>
    </message>
    <message>
        <source>Download the chosen firmware image into the device</source>
        <translation>Überträgt das gewählte Firmware-Abbild in das Gerät</translation>
    </message>
    <message>
        <source>Load data file</source>
        <translation>Datendatei laden</translation>
    </message>
    <message>
        <source>Choose the data image (.bin) to download into the device&apos;s data area</source>
        <translation>Wählt das Datenabbild (.bin), das in den Datenbereich des Geräts übertragen wird</translation>
    </message>
    <message>
        <source>Run data download</source>
        <translation>Datenübertragung starten</translation>
    </message>
    <message>
        <source>Download the chosen data image into the device&apos;s data area</source>
        <translation>Überträgt das gewählte Datenabbild in den Datenbereich des Geräts</translation>
    </message>
    <message>
        <source>Save device data</source>
        <translation>Gerätedaten speichern</translation>
    </message>
    <message>
        <source>Read the device&apos;s whole data area and save it to a file</source>
        <translation>Liest den ganzen Datenbereich des Geräts und speichert ihn in einer Datei</translation>
    </message>
    <message>
        <source>Firmware progress</source>
        <translation>Fortschritt der Firmware-Übertragung</translation>
    </message>
    <message>
        <source>Data progress</source>
        <translation>Fortschritt der Datenübertragung</translation>
    </message>
    <message>
        <source>Save progress</source>
        <translation>Fortschritt beim Speichern</translation>
    </message>
    <message>
        <source>step %1 of 6</source>
        <translation>Schritt %1 von 6</translation>
    </message>
    <message>
        <source>Arrow %1 of 6</source>
        <translation>Pfeil %1 von 6</translation>
    </message>
    <message>
        <source>Version not known</source>
        <translation>Version unbekannt</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>Gerät verbunden</translation>
    </message>
    <message>
        <source>Device not connected</source>
        <translation>Gerät nicht verbunden</translation>
    </message>
    <message>
        <source>select data file</source>
        <translation>Datendatei auswählen</translation>
    </message>
    <message>
        <source>Please load data file first !</source>
        <translation>Bitte laden Sie zuerst eine Datendatei.</translation>
    </message>
    <message>
        <source>Save data file</source>
        <translation>Datendatei speichern</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolgreich</translation>
    </message>
    <message>
        <source>Download data successfully!</source>
        <translation>Die Daten wurden erfolgreich übertragen.</translation>
    </message>
    <message>
        <source>Save data successfully!</source>
        <translation>Die Daten wurden erfolgreich gespeichert.</translation>
    </message>
    <message>
        <source>select bin file</source>
        <translation>BIN-Datei auswählen</translation>
    </message>
    <message>
        <source>Please load firmware file first !</source>
        <translation>Bitte laden Sie zuerst eine Firmware-Datei.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Not connected device!</source>
        <translation>Kein Gerät verbunden!</translation>
    </message>
    <message>
        <source>Download firmware successfully!</source>
        <translation>Die Firmware wurde erfolgreich übertragen.</translation>
    </message>
    <message>
        <source>A supported device is present but cannot be opened. </source>
        <translation>Ein unterstütztes Gerät ist vorhanden, lässt sich aber nicht öffnen. </translation>
    </message>
    <message>
        <source>A transfer is in progress. Please wait until it has finished.</source>
        <translation>Eine Übertragung läuft. Bitte warten Sie, bis sie beendet ist.</translation>
    </message>
    <message>
        <source> Replace it?</source>
        <translation> Ersetzen?</translation>
    </message>
    <message>
        <source>Minimising is off here: this desktop has neither a notification area nor a taskbar that could bring the window back.</source>
        <translation>Minimieren ist hier abgeschaltet: Diese Arbeitsumgebung hat weder einen Infobereich noch eine Taskleiste, über die das Fenster zurückkehren könnte.</translation>
    </message>
    <message>
        <source>Minimise the window</source>
        <translation>Minimiert das Fenster</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Are you sure to  exit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>A transfer is in progress. Stop it and exit?
An interrupted firmware download can leave the device unusable.</source>
        <translation>Eine Übertragung läuft. Abbrechen und beenden?
Eine abgebrochene Firmware-Übertragung kann das Gerät unbrauchbar machen.</translation>
    </message>
    <message>
        <source>Download firmware</source>
        <translation>Firmware-Übertragung</translation>
    </message>
    <message>
        <source>

Do not unplug the device or close this window until the download is done.</source>
        <translation>

Ziehen Sie das Gerät nicht ab und schließen Sie dieses Fenster nicht, bis die Übertragung abgeschlossen ist.</translation>
    </message>
    <message>
        <source>
Please load the file again.</source>
        <translation>
Bitte laden Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>To download without a backup, turn off &quot;Back up before a data download&quot; in the window&apos;s menu (right-click the window).</source>
        <translation>Um ohne Sicherung zu übertragen, schalten Sie „Vor einer Datenübertragung sichern“ im Menü des Fensters aus (Rechtsklick auf das Fenster).</translation>
    </message>
    <message>
        <source>Interrupted transfer</source>
        <translation>Unterbrochene Übertragung</translation>
    </message>
    <message>
        <source>Chosen file: %1, %L2 bytes</source>
        <translation>Gewählte Datei: %1, %L2 Bytes</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>the device did not answer within %1 %2</source>
        <translation>das Gerät hat nicht innerhalb von %L1 %2 geantwortet</translation>
    </message>
    <message>
        <source>second</source>
        <translation>Sekunde</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>The device takes whole blocks of %1 bytes, so the size must be a non-zero multiple of %1.</source>
        <translation>Das Gerät nimmt nur ganze Blöcke zu %1 Byte an; die Größe muss daher ein Vielfaches von %1 und größer als null sein.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes, more than the device&apos;s data area of %3 bytes. Please choose a smaller data file.</source>
        <translation>Die Datei „%1“ hat %2 Byte, mehr als der Datenbereich des Geräts mit %3 Byte. Bitte wählen Sie eine kleinere Datendatei.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes, more than the device can address (%3 bytes).</source>
        <translation>Die Datei „%1“ hat %2 Byte, mehr als das Gerät adressieren kann (%3 Byte).</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; has %2 bytes. %3</source>
        <translation>Die Datei „%1“ hat %2 Byte. %3</translation>
    </message>
    <message>
        <source>
The device was unplugged during the transfer. Plug it in again and repeat the transfer.</source>
        <translation>
Das Gerät wurde während der Übertragung abgezogen. Schließen Sie es wieder an und wiederholen Sie die Übertragung.</translation>
    </message>
    <message>
        <source>
Close any other program that uses the device, then try again.</source>
        <translation>
Schließen Sie alle anderen Programme, die das Gerät verwenden, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>
Please check the file, then repeat the transfer.</source>
        <translation>
Bitte prüfen Sie die Datei und wiederholen Sie dann die Übertragung.</translation>
    </message>
    <message>
        <source>
Please check the device and its cable, then try again.</source>
        <translation>
Bitte prüfen Sie das Gerät und sein Kabel und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>es ist keine Datei</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid UTF-8 (&quot;�&quot; marks the bytes that are not), so this program would read or write another name instead. Please rename the file (or its folder) to a UTF-8 name, then try again.</source>
        <translation>Der Name „%1“ ist kein gültiges UTF-8 („�“ markiert die ungültigen Bytes); dieses Programm würde daher unter einem anderen Namen lesen oder schreiben. Bitte benennen Sie die Datei (oder ihren Ordner) in einen UTF-8-Namen um und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>No file name was given. Please name the file to save to, for example &quot;dump.bin&quot;.</source>
        <translation>Es wurde kein Dateiname angegeben. Bitte nennen Sie die Datei, in die gespeichert werden soll, zum Beispiel „dump.bin“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a folder, not a file. Please add a file name, for example &quot;%2&quot;.</source>
        <translation>„%1“ ist ein Ordner, keine Datei. Bitte ergänzen Sie einen Dateinamen, zum Beispiel „%2“.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.</source>
        <translation>Die Datei „%1“ existiert bereits.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists: it is a symbolic link to &quot;%2&quot;. Replacing it replaces the link itself; &quot;%2&quot; is left as it is.</source>
        <translation>„%1“ existiert bereits: Es ist ein symbolischer Link auf „%2“. Beim Ersetzen wird der Link selbst ersetzt; „%2“ bleibt unverändert.</translation>
    </message>
    <message>
        <source>Cannot save there: %1. Please choose another place.</source>
        <translation>Dort kann nicht gespeichert werden: %1. Bitte wählen Sie einen anderen Ort.</translation>
    </message>
    <message>
        <source>The device cannot be locked: %1. </source>
        <translation>Das Gerät lässt sich nicht sperren: %1. </translation>
    </message>
    <message>
        <source>Download firmware</source>
        <translation>Firmware-Übertragung</translation>
    </message>
    <message>
        <source>Download data</source>
        <translation>Datenübertragung</translation>
    </message>
    <message>
        <source>Save data</source>
        <translation>Speichern der Daten</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>the HID library did not start</source>
        <translation>die HID-Bibliothek ließ sich nicht starten</translation>
    </message>
    <message>
        <source>no supported device is present</source>
        <translation>kein unterstütztes Gerät ist angeschlossen</translation>
    </message>
    <message>
        <source>the device cannot be opened</source>
        <translation>das Gerät lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>the device cannot be locked</source>
        <translation>das Gerät lässt sich nicht sperren</translation>
    </message>
    <message>
        <source>the device did not accept the request</source>
        <translation>das Gerät hat die Anfrage nicht angenommen</translation>
    </message>
    <message>
        <source>reading the device&apos;s reply failed</source>
        <translation>das Lesen der Geräteantwort ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>the device answered with an empty report (0 bytes) instead of its reply</source>
        <translation>das Gerät hat statt seiner Antwort einen leeren Report (0 Byte) gesendet</translation>
    </message>
    <message>
        <source>the device&apos;s reply was too short to carry the block (%1 bytes)</source>
        <translation>die Antwort des Geräts war zu kurz für den Block (%1 Byte)</translation>
    </message>
    <message>
        <source>the device&apos;s version reply ended inside the version text</source>
        <translation>die Versionsantwort des Geräts endete mitten im Versionstext</translation>
    </message>
    <message>
        <source>the device sent a report that answers no request of ours (is another program using the device?)</source>
        <translation>das Gerät hat einen Report gesendet, der zu keiner unserer Anfragen passt (verwendet ein anderes Programm das Gerät?)</translation>
    </message>
    <message>
        <source>the transfer was stopped by signal %1</source>
        <translation>die Übertragung wurde durch Signal %1 angehalten</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be read (%2)</source>
        <translation>die Datei „%1“ konnte nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; ends before this block: it was shortened during the transfer</source>
        <translation>die Datei „%1“ endet vor diesem Block: sie wurde während der Übertragung gekürzt</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be written (%2)</source>
        <translation>die Datei „%1“ lässt sich nicht schreiben (%2)</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be written (no free temporary name beside it)</source>
        <translation>die Datei „%1“ lässt sich nicht schreiben (daneben ist kein temporärer Name frei)</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; could not be written (%2)</source>
        <translation>die Datei „%1“ konnte nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; appeared during the save and was left as it is</source>
        <translation>die Datei „%1“ ist während des Speicherns entstanden und blieb unverändert</translation>
    </message>
    <message>
        <source>%1 failed at block %2 of %3: %4.</source>
        <translation>%1 bei Block %2 von %3 fehlgeschlagen: %4.</translation>
    </message>
    <message>
        <source>%1 failed: %2.</source>
        <translation>%1 fehlgeschlagen: %2.</translation>
    </message>
    <message>
        <source>
The data read from the device is kept in &quot;%1&quot;; rename that file to keep it.</source>
        <translation>
Die vom Gerät gelesenen Daten liegen in „%1“; benennen Sie diese Datei um, um sie zu behalten.</translation>
    </message>
    <message>
        <source>
No file was written; an existing file keeps its content.</source>
        <translation>
Es wurde keine Datei geschrieben; eine vorhandene Datei behält ihren Inhalt.</translation>
    </message>
    <message>
        <source>the device holds a partial firmware; run the download again before unplugging it</source>
        <translation>das Gerät enthält eine unvollständige Firmware; führen Sie die Übertragung erneut aus, bevor Sie es abziehen</translation>
    </message>
    <message>
        <source>the device&apos;s data area is partly overwritten; run the download again</source>
        <translation>der Datenbereich des Geräts ist teilweise überschrieben; führen Sie die Übertragung erneut aus</translation>
    </message>
    <message>
        <source>nothing was saved, and the device is unchanged</source>
        <translation>es wurde nichts gespeichert, und das Gerät ist unverändert</translation>
    </message>
    <message>
        <source>the device is unchanged</source>
        <translation>das Gerät ist unverändert</translation>
    </message>
    <message>
        <source>Check the access rights to its hidraw node (install the udev rule 70-tarvenix.rules that comes with this program), then plug it in again.</source>
        <translation>Prüfen Sie die Zugriffsrechte auf seinen hidraw-Knoten (installieren Sie die mitgelieferte udev-Regel 70-tarvenix.rules) und schließen Sie das Gerät dann erneut an.</translation>
    </message>
    <message>
        <source>the device was unplugged</source>
        <translation>das Gerät wurde abgezogen</translation>
    </message>
    <message>
        <source>the device holds data that differs from &quot;%1&quot;</source>
        <translation>das Gerät enthält Daten, die von „%1“ abweichen</translation>
    </message>
    <message>
        <source>the backup of the device&apos;s data area failed at block %1 of %2: %3</source>
        <translation>die Sicherung des Datenbereichs des Geräts ist bei Block %1 von %2 fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>the backup of the device&apos;s data area failed: %1</source>
        <translation>die Sicherung des Datenbereichs des Geräts ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Download data did not start: %1. The device is unchanged.</source>
        <translation>Die Datenübertragung hat nicht begonnen: %1. Das Gerät ist unverändert.</translation>
    </message>
    <message>
        <source>The data area as it was before the download is kept in &quot;%1&quot;; to restore it, download that file.</source>
        <translation>Der Datenbereich, wie er vor der Übertragung war, liegt in „%1“; um ihn wiederherzustellen, übertragen Sie diese Datei.</translation>
    </message>
    <message>
        <source>%1 failed in the verify, at block %2 of %3: %4.</source>
        <translation>%1 bei der Prüfung fehlgeschlagen, bei Block %2 von %3: %4.</translation>
    </message>
    <message>
        <source>the backup before the download was not finished, and the device is unchanged</source>
        <translation>die Sicherung vor der Übertragung wurde nicht fertig, und das Gerät ist unverändert</translation>
    </message>
    <message>
        <source>the download was complete, but it was not verified</source>
        <translation>die Übertragung war vollständig, wurde aber nicht geprüft</translation>
    </message>
    <message>
        <source>The version could not be read again after the download: %1. The device may be restarting; its version is shown again once it is back.</source>
        <translation>Die Version ließ sich nach der Übertragung nicht erneut lesen: %1. Das Gerät startet möglicherweise neu; seine Version wird wieder angezeigt, sobald es zurück ist.</translation>
    </message>
    <message>
        <source>No backup was taken: backups are turned off.</source>
        <translation>Es wurde keine Sicherung angelegt: Sicherungen sind ausgeschaltet.</translation>
    </message>
    <message>
        <source>The data area was read back and matches the file.</source>
        <translation>Der Datenbereich wurde zurückgelesen und stimmt mit der Datei überein.</translation>
    </message>
    <message>
        <source>The data area was not read back: verifying is turned off.</source>
        <translation>Der Datenbereich wurde nicht zurückgelesen: die Prüfung ist ausgeschaltet.</translation>
    </message>
    <message>
        <source>The device</source>
        <translation>Das Gerät</translation>
    </message>
    <message>
        <source>%1 (%2) at %3</source>
        <translation>%1 (%2) an %3</translation>
    </message>
    <message>
        <source>%1 (%2, serial %3) at %4</source>
        <translation>%1 (%2, Seriennummer %3) an %4</translation>
    </message>
    <message>
        <source>This transfer could not be added to the history in &quot;%1&quot; (%2). Transfers still work; this is said once until the program starts again.</source>
        <translation>Diese Übertragung konnte nicht in den Verlauf in „%1“ aufgenommen werden (%2). Übertragungen funktionieren weiterhin; dies wird bis zum nächsten Programmstart nur einmal gemeldet.</translation>
    </message>
    <message>
        <source>The version text is unchanged: &quot;%1&quot;. A device may keep its text after a download.</source>
        <translation>Der Versionstext ist unverändert: „%1“. Ein Gerät kann seinen Text nach einer Übertragung behalten.</translation>
    </message>
    <message>
        <source>Version before: &quot;%1&quot;
Version after: &quot;%2&quot;</source>
        <translation>Version vorher: „%1“
Version nachher: „%2“</translation>
    </message>
    <message>
        <source>%1, version &quot;%2&quot;</source>
        <translation>%1, Version „%2“</translation>
    </message>
    <message>
        <source>the transfer was stopped</source>
        <translation>die Übertragung wurde angehalten</translation>
    </message>
    <message>
        <source>the window was closed during the transfer</source>
        <translation>das Fenster wurde während der Übertragung geschlossen</translation>
    </message>
    <message>
        <source>the program was ended from the tray during the transfer</source>
        <translation>das Programm wurde während der Übertragung über das Infobereichsmenü beendet</translation>
    </message>
    <message>
        <source>The device is busy: another Tarvenix program is transferring with it. Please wait until that transfer has finished, then try again.</source>
        <translation>Das Gerät ist belegt: Ein anderes Tarvenix-Programm überträgt gerade damit. Bitte warten Sie, bis diese Übertragung beendet ist, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be found. It may have been moved or deleted.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden. Vielleicht wurde sie verschoben oder gelöscht.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2. Please check it.</source>
        <translation>Die Datei „%1“ lässt sich nicht lesen: %2. Bitte prüfen Sie sie.</translation>
    </message>
    <message>
        <source>another Tarvenix program is transferring with the device</source>
        <translation>ein anderes Tarvenix-Programm überträgt gerade mit dem Gerät</translation>
    </message>
    <message>
        <source>%1 stopped in its %2, before block %3 of %4: %5.</source>
        <translation>%1 angehalten bei „%2“, vor Block %3 von %4: %5.</translation>
    </message>
    <message>
        <source>%1 stopped before block %2 of %3: %4.</source>
        <translation>%1 angehalten vor Block %2 von %3: %4.</translation>
    </message>
    <message>
        <source>Not recording: &quot;%1&quot; exists and is not a capture, so it is left as it is. Choose another name for the capture.</source>
        <translation>Keine Aufzeichnung: „%1“ existiert und ist kein Mitschnitt; die Datei bleibt unverändert. Wählen Sie einen anderen Namen für den Mitschnitt.</translation>
    </message>
    <message>
        <source>Recording stopped: the capture &quot;%1&quot; could not be written (%2). The program goes on without recording.</source>
        <translation>Aufzeichnung beendet: Der Mitschnitt „%1“ ließ sich nicht schreiben (%2). Das Programm arbeitet ohne Aufzeichnung weiter.</translation>
    </message>
    <message>
        <source>Not recording: the capture &quot;%1&quot; cannot be written (%2). Choose another place for it.</source>
        <translation>Keine Aufzeichnung: Der Mitschnitt „%1“ lässt sich nicht schreiben (%2). Wählen Sie einen anderen Ort dafür.</translation>
    </message>
    <message>
        <source>Download this firmware into the device?

File: %1, %2 bytes, SHA-256 %3
Device: %4</source>
        <translation>Diese Firmware in das Gerät übertragen?

Datei: %1, %2 Byte, SHA-256 %3
Gerät: %4</translation>
    </message>
    <message>
        <source>Download this firmware into these %1 devices?

File: %2, %3 bytes, SHA-256 %4
Devices:
%5</source>
        <translation>Diese Firmware in diese %1 Geräte übertragen?

Datei: %2, %3 Byte, SHA-256 %4
Geräte:
%5</translation>
    </message>
    <message>
        <source>firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>erfolgreich</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>block %1 of %2: %3</source>
        <translation>Block %1 von %2: %3</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>verify</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>download</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>installed as %1</source>
        <translation>installiert als %1</translation>
    </message>
    <message>
        <source>70-tarvenix.rules is not installed (looked in %1)</source>
        <translation>70-tarvenix.rules ist nicht installiert (gesucht in %1)</translation>
    </message>
    <message>
        <source>%1 names every supported device</source>
        <translation>%1 nennt jedes unterstützte Gerät</translation>
    </message>
    <message>
        <source>%1 does not name %2, which this version supports</source>
        <translation>%1 nennt nicht %2, das diese Version unterstützt</translation>
    </message>
    <message>
        <source>%1 present</source>
        <translation>%1 angeschlossen</translation>
    </message>
    <message>
        <source>none present</source>
        <translation>keines angeschlossen</translation>
    </message>
    <message>
        <source>%1 can be read and written</source>
        <translation>%1 lässt sich lesen und schreiben</translation>
    </message>
    <message>
        <source>%1 cannot be read and written (%2)</source>
        <translation>%1 lässt sich nicht lesen und schreiben (%2)</translation>
    </message>
    <message>
        <source>the report descriptor of %1 cannot be read (%2)</source>
        <translation>der Report-Deskriptor von %1 lässt sich nicht lesen (%2)</translation>
    </message>
    <message>
        <source>%1 has reports of %2 bytes in and %3 out</source>
        <translation>%1 hat Reports von %2 Byte für die Eingabe und %3 für die Ausgabe</translation>
    </message>
    <message>
        <source>%1, but the exchanges need %2 each</source>
        <translation>%1, die Übertragungen brauchen aber je %2</translation>
    </message>
    <message>
        <source>logind answers on the system bus</source>
        <translation>logind antwortet auf dem Systembus</translation>
    </message>
    <message>
        <source>logind does not answer on the system bus (%1)</source>
        <translation>logind antwortet nicht auf dem Systembus (%1)</translation>
    </message>
    <message>
        <source>hidapi %1 is older than %2, which this program was built with</source>
        <translation>hidapi %1 ist älter als %2, mit dem dieses Programm gebaut wurde</translation>
    </message>
    <message>
        <source>%1 is writable</source>
        <translation>%1 ist beschreibbar</translation>
    </message>
    <message>
        <source>%1 is not writable (%2)</source>
        <translation>%1 ist nicht beschreibbar (%2)</translation>
    </message>
    <message>
        <source>Install it from the build folder: sudo cp build/70-tarvenix.rules /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger (the Debian package installs it itself), then plug the device in again.</source>
        <translation>Installieren Sie sie aus dem Build-Ordner: sudo cp build/70-tarvenix.rules /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger (das Debian-Paket installiert sie selbst), dann schließen Sie das Gerät erneut an.</translation>
    </message>
    <message>
        <source>udev rule</source>
        <translation>udev-Regel</translation>
    </message>
    <message>
        <source>udev rule and device table</source>
        <translation>udev-Regel und Gerätetabelle</translation>
    </message>
    <message>
        <source>supported devices</source>
        <translation>unterstützte Geräte</translation>
    </message>
    <message>
        <source>device access</source>
        <translation>Gerätezugriff</translation>
    </message>
    <message>
        <source>report sizes</source>
        <translation>Report-Größen</translation>
    </message>
    <message>
        <source>sleep inhibitor</source>
        <translation>Ruhezustandssperre</translation>
    </message>
    <message>
        <source>HID library</source>
        <translation>HID-Bibliothek</translation>
    </message>
    <message>
        <source>history folder</source>
        <translation>Verlaufsordner</translation>
    </message>
    <message>
        <source>backups folder</source>
        <translation>Sicherungsordner</translation>
    </message>
    <message>
        <source>settings folder</source>
        <translation>Einstellungsordner</translation>
    </message>
    <message>
        <source>The rule comes from another version of this program. </source>
        <translation>Die Regel stammt aus einer anderen Version dieses Programms. </translation>
    </message>
    <message>
        <source>Plug the pressure mouse in, or check its cable.</source>
        <translation>Schließen Sie die Druckmaus an, oder prüfen Sie ihr Kabel.</translation>
    </message>
    <message>
        <source>Close any other program that uses the device, then plug it in again.</source>
        <translation>Schließen Sie jedes andere Programm, das das Gerät verwendet, dann schließen Sie es erneut an.</translation>
    </message>
    <message>
        <source>Install the udev rule 70-tarvenix.rules, then plug the device in again: it gives access to the user at the seat, not to a remote login.</source>
        <translation>Installieren Sie die udev-Regel 70-tarvenix.rules, dann schließen Sie das Gerät erneut an: Sie gibt dem Benutzer am Platz Zugriff, nicht einer entfernten Anmeldung.</translation>
    </message>
    <message>
        <source>This may be a model or firmware that this version does not support: attach this output to a bug report.</source>
        <translation>Das kann ein Modell oder eine Firmware sein, die diese Version nicht unterstützt: Hängen Sie diese Ausgabe an einen Fehlerbericht an.</translation>
    </message>
    <message>
        <source>Transfers still run, but nothing keeps the machine from sleeping during one: keep it awake while a transfer runs.</source>
        <translation>Übertragungen laufen trotzdem, aber nichts hält den Rechner während einer Übertragung vom Ruhezustand ab: Halten Sie ihn wach, solange eine läuft.</translation>
    </message>
    <message>
        <source>Install hidapi %1 or newer (Debian: libhidapi-hidraw0).</source>
        <translation>Installieren Sie hidapi %1 oder neuer (Debian: libhidapi-hidraw0).</translation>
    </message>
    <message>
        <source>Make it writable for this user (check its owner, its permissions and the free space).</source>
        <translation>Machen Sie ihn für diesen Benutzer beschreibbar (prüfen Sie Besitzer, Rechte und freien Platz).</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>These checks name your devices&apos; paths and serial numbers and your folders: read them before you share them.</source>
        <translation>Diese Prüfungen nennen die Pfade und Seriennummern Ihrer Geräte und Ihre Ordner: Lesen Sie sie, bevor Sie sie weitergeben.</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; changed while it was sent: the device now holds the data as it was read during the transfer (SHA-256 %2), which is not the file as it is now</source>
        <translation>die Datei „%1“ wurde während der Übertragung verändert: das Gerät enthält nun die Daten, wie sie während der Übertragung gelesen wurden (SHA-256 %2), nicht die Datei, wie sie jetzt ist</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; changed since it was checked, or is missing, unreadable or no longer whole blocks; nothing of it was sent</source>
        <translation>die Datei „%1“ hat sich seit der Prüfung verändert oder fehlt, ist nicht lesbar oder besteht nicht mehr aus ganzen Blöcken; nichts davon wurde gesendet</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>eine benannte Pipe (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>eine Spezialdatei</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file but %2, so nothing can be saved under that name. Please choose another name.</source>
        <translation>„%1“ ist keine Datei, sondern %2; unter diesem Namen kann nichts gespeichert werden. Bitte wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>the program ended during the transfer</source>
        <translation>das Programm endete während der Übertragung</translation>
    </message>
    <message>
        <source>Lines of the history that could not be read were left out: %1.</source>
        <translation>Nicht lesbare Zeilen des Verlaufs wurden ausgelassen: %1.</translation>
    </message>
    <message>
        <source>%1 on %2, started %3, did not end: the program that ran it ended first (a crash, a kill or a power loss).</source>
        <translation>%1 auf %2, begonnen %3, wurde nicht beendet: das ausführende Programm endete vorher (Absturz, Abbruch oder Stromausfall).</translation>
    </message>
    <message>
        <source>The device may hold a partial firmware. Run the firmware download again with the same file, &quot;%1&quot; (SHA-256 %2), before unplugging the device.</source>
        <translation>Das Gerät enthält möglicherweise eine unvollständige Firmware. Führen Sie die Firmware-Übertragung mit derselben Datei „%1“ (SHA-256 %2) erneut aus, bevor Sie das Gerät abziehen.</translation>
    </message>
    <message>
        <source>The device&apos;s data area may be partly overwritten. Download &quot;%1&quot; (SHA-256 %2) again.</source>
        <translation>Der Datenbereich des Geräts ist möglicherweise teilweise überschrieben. Übertragen Sie „%1“ (SHA-256 %2) erneut.</translation>
    </message>
    <message>
        <source>The device is unchanged, and &quot;%1&quot; was not written: it holds what it held before. Save again to get the data.</source>
        <translation>Das Gerät ist unverändert, und „%1“ wurde nicht geschrieben: die Datei enthält, was sie vorher enthielt. Speichern Sie erneut, um die Daten zu erhalten.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is not a regular file, so it is ignored; until it is removed or renamed, the settings may stay at their defaults.</source>
        <translation>Die Einstellungsdatei „%1“ ist keine reguläre Datei und wird daher ignoriert; bis sie entfernt oder umbenannt ist, bleiben die Einstellungen womöglich bei ihren Voreinstellungen.</translation>
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
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Show/Hide</source>
        <translation>Anzeigen/Ausblenden</translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <source>Back up before a data download</source>
        <translation>Vor einer Datenübertragung sichern</translation>
    </message>
    <message>
        <source>Verify after a data download</source>
        <translation>Nach einer Datenübertragung prüfen</translation>
    </message>
    <message>
        <source>Ask before a firmware download</source>
        <translation>Vor einer Firmware-Übertragung fragen</translation>
    </message>
    <message>
        <source>Backups…</source>
        <translation>Sicherungen…</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>No program to show folders was found. The backups are in &quot;%1&quot;.</source>
        <translation>Es wurde kein Programm zum Anzeigen von Ordnern gefunden. Die Sicherungen liegen in „%1“.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Sprache des Systems</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Wirkt ab dem nächsten Start</translation>
    </message>
</context>
</TS>
