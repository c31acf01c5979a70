#pragma once
// The file a save writes: its data goes into a new file beside the target and is
// put in place in one step once it is all there, so the target is never seen half
// written, a link is never written through, and a file that appeared meanwhile is
// never replaced unless the user agreed to replace one.
//
// Where the file system allows it, that new file has no name until it is put in place
// (O_TMPFILE, then linkat), so that a program that dies leaves nothing behind. Otherwise
// (a save that replaces a file, vfat, some network file systems, Windows) it has a short
// name of its own, ".tvx-PID-XXXXXX", which the next save into that folder, or the next
// start, removes once the process PID has gone.

#include "device/failure.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarvenix {

// Whether a directory entry of this name exists. A symbolic link counts as itself,
// whether or not what it points to exists.
bool entryExists(const QString &path);
// Where the symbolic link at path points, or an empty string when path is no link.
QString linkTarget(const QString &path);

// What the file system is taken to refuse, so that tests can reach each way of
// putting a file in place without replacing one: the rename that refuses to
// replace (not on some NFS and FUSE mounts), and hard links (not on vfat).
enum class Refusal { None, NoReplaceRename, NoReplaceRenameAndLinks };

struct PlaceResult {
    bool placed = false;
    bool taken = false; // the target's name was taken by then; nothing was moved
    QString error;      // the system's reason when neither
};

// Gives the file `from` the name `to`, unless an entry of that name exists.
PlaceResult placeWithoutReplacing(const QString &from, const QString &to,
                                  Refusal simulated = Refusal::None);
// Gives the file `from` the name `to`, replacing the entry of that name, a link itself.
PlaceResult replaceEntry(const QString &from, const QString &to);

// Removes the temporary files that saves left in the folder, of processes that are gone.
void removeStaleTemporaries(const QString &folder);

class SaveFile {
  public:
    // With replaceExisting, an entry of the target's name is replaced, a link by the
    // file itself: what it points to is left as it is.
    SaveFile(QString target, bool replaceExisting);
    // Removes the temporary file unless a failed commit kept it.
    ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    // Creates the temporary file beside the target. On failure, failure() says why:
    // TargetNotAFile (a folder, a FIFO...), TargetUnwritable or NoTemporaryName.
    bool open();
    // Writes data to disk and puts it in place. On failure, failure() says why
    // (FileWriteFailed or TargetAppeared), and keptFile() names the file that keeps the
    // data when the target's name was taken during the save.
    bool commit(const QByteArray &data);

    Failure failure() const { return failure_; }
    QString keptFile() const { return keptFile_; }

  private:
    bool fail(FailureCode code, const QString &detail = QString());
    bool openUnnamed();
    bool openNamed();
    bool writeAll(const QByteArray &data);
    bool place();
    PlaceResult putWithoutReplacing(const QString &to);
    void keep();

    QString target_;
    bool replace_;
    QFile temp_;
    QString tempName_; // empty while the temporary file has no name
    Failure failure_;
    QString keptFile_;
};

} // namespace tarvenix
