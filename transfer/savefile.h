#pragma once
// The file a save writes: its data goes into a new file beside the target and is
// put in place in one step once it is all there, so the target is never seen half
// written, a link is never written through, and a file that appeared meanwhile is
// never replaced unless the user agreed to replace one.

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
    // TargetUnwritable or NoTemporaryName.
    bool open();
    // Writes data to disk and puts it in place. On failure, failure() says why
    // (FileWriteFailed or TargetAppeared), and keptFile() names the temporary file when
    // it was kept because the target's name was taken during the save.
    bool commit(const QByteArray &data);

    Failure failure() const { return failure_; }
    QString keptFile() const { return keptFile_; }

  private:
    bool fail(FailureCode code, const QString &detail = QString());
    bool writeAll(const QByteArray &data);
    bool place();

    QString target_;
    bool replace_;
    QFile temp_;
    Failure failure_;
    QString keptFile_;
};

} // namespace tarvenix
