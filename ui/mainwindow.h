#pragma once
// The one window: a frameless, always-on-top dialog drawn from pictures.

#include "device/discovery.h"
#include "device/hidport.h"
#include "transfer/filechecks.h"
#include "ui/arrowrow.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QSystemTrayIcon>
#include <array>
#include <memory>

class QMenu;
class QAction;
class QPushButton;
class NotConnectedTip;
class Tray;
class WindowMenu;
class WorkerThreadForFW;
class WorkerThreadForData;
class WorkerThreadForSaveData;

namespace tarvenix {
class Capture;
class DeviceController;
class DeviceEvents;
class TransferJob;
struct DeviceEvent;
struct OpenResult;
struct TransferRecord;
struct TransferRequest;
} // namespace tarvenix

// A view of the device controller: it shows what the controller says and hands it the
// user's commands.
class MainWindow : public QDialog {
    Q_OBJECT

    // Made before the members below that name its state.
    tarvenix::DeviceController *const controller;

  public:
    // capture: where to record what the window exchanges with the device; null for nowhere.
    explicit MainWindow(QWidget *parent = nullptr,
                        std::shared_ptr<tarvenix::Capture> capture = nullptr);
    ~MainWindow() override;

    // The window flags this platform gets: frameless, above normal windows, no taskbar entry.
    static Qt::WindowFlags windowFlagsFor(Qt::WindowFlags base);

    int initHidDevice();
    // Tells the user in a warning box over the window.
    void warn(const QString &text);
    // Whether a transfer owns the device right now, as the controller says.
    bool transferRunning() const;
    // Acts on one device arrival or removal, whatever platform reported it.
    void onDeviceEvent(const tarvenix::DeviceEvent &event);
    // At the start, once the window shows: the transfers that a crash ended, each in a box.
    void tellInterruptedTransfers();

  public slots:
    void slotTrayMenuHovered();
    void slotTrayMenuAboutToShow();
    void slotTrayMenuAboutToHid();
    void on_CloseTrayAction();
    void on_ShowOrHideTrayAction();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void slotPushButtonClose();
    void slotPushButtonMini();
    void slotPushButtonLoadFW();
    void slotPushButtonRunUpdateFW();
    void slotShowRunUpdateFWProcess(int step);
    void slotPushButtonLoadData();
    void slotPushButtonRunUpdateData();
    void slotPushButtonRunSaveData();
    void slotShowRunUpdateDataProcess(int step);
    void slotShowRunUpdateSaveDataProcess(int step);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void reject() override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
#endif

  public:
    QPixmap backgroundPixmap;
    WorkerThreadForFW *workerThreadForFW = nullptr;
    WorkerThreadForData *workerThreadForData = nullptr;
    WorkerThreadForSaveData *workerThreadForSaveData = nullptr;
    // The controller's open device, null while none is open.
    const tarvenix::HidPortPtr &hidHandle;
    QPushButton *pushButtonFWArrow1 = nullptr;
    QPushButton *pushButtonFWArrow2 = nullptr;
    QPushButton *pushButtonFWArrow3 = nullptr;
    QPushButton *pushButtonFWArrow4 = nullptr;
    QPushButton *pushButtonFWArrow5 = nullptr;
    QPushButton *pushButtonFWArrow6 = nullptr;
    QPushButton *pushButtonConnected = nullptr;
    QPushButton *pushButtonNotConnected = nullptr;
    QPushButton *pushButtonDataArrow1 = nullptr;
    QPushButton *pushButtonDataArrow2 = nullptr;
    QPushButton *pushButtonDataArrow3 = nullptr;
    QPushButton *pushButtonDataArrow4 = nullptr;
    QPushButton *pushButtonDataArrow5 = nullptr;
    QPushButton *pushButtonDataArrow6 = nullptr;
    QPushButton *pushButtonSaveArrow1 = nullptr;
    QPushButton *pushButtonSaveArrow2 = nullptr;
    QPushButton *pushButtonSaveArrow3 = nullptr;
    QPushButton *pushButtonSaveArrow4 = nullptr;
    QPushButton *pushButtonSaveArrow5 = nullptr;
    QPushButton *pushButtonSaveArrow6 = nullptr;
    QPushButton *pushButtonVersion = nullptr;
    // The controller's device path.
    const char (&chHidDevicePath)[tarvenix::kDevicePathSize];
    QString strFWFile;
    QString strDataFile;
    QString strSaveDataFile;
    QString strVersion;
    bool dragging = false;
    QPoint dragStartGlobalPos;
    QPoint dragStartWindowPos;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *closeTrayAction = nullptr;
    QAction *showOrHideTrayAction = nullptr;
    // The window's own menu, on a right-click on its background.
    // The tray's Close is closing the window: a transfer it stops was stopped from the tray.
    bool closingFromTray = false;
    WindowMenu *windowMenu = nullptr;

    // The three rows of progress arrows, whose buttons the arrow members name.
    ArrowRow &fwArrows() const
    {
        return *fwRow;
    }
    ArrowRow &dataArrows() const
    {
        return *dataRow;
    }
    ArrowRow &saveArrows() const
    {
        return *saveRow;
    }

    using ArrowMembers = std::array<QPushButton * MainWindow::*, 6>;

  private:
    // Window and painting.
    void buildWidgets();
    QPushButton *makeButton(const QRect &rect, const QString &styleSheet, const char *slot);
    ArrowRow *makeArrowRow(const ArrowMembers &members, const std::array<QPoint, 6> &places);
    void showConnected(bool connected);
    void showLink(const tarvenix::OpenResult &link);
    void showRemoved();

    // Keyboard and screen readers: names, the progress of the arrows, the
    // focus frame. The seven commands in the order of creation.
    void makeAccessible(const std::array<QPushButton *, 7> &commands);
    // The file a row's Run would send, in its tool tip and description; none when empty.
    void showChosenFile(QPushButton *run, const QString &path);

    // Transfers, shared by the firmware, data and save commands.
    void createWorkers();
    void followController();
    bool refuseWhileTransferring();
    // A row's Load command: the chosen file into path, told on the row's Run; a new file
    // unlights the row.
    void loadFile(QString &path, const QString &caption, ArrowRow &arrows, QPushButton *run);
    // A Run command's refusals, then the device opened afresh.
    bool runAllowed(const QString &path, const QString &loadFirst, tarvenix::TransferKind kind);
    // Opens the device afresh; false, after telling the user, when there is none.
    bool openDevice();
    // A file's refusal or failure, with the way on that the window offers: loading it again.
    QString withLoadAgain(const tarvenix::Failure &failure, const QString &text) const;
    // Starts the worker on the request through the controller; false after a refusal.
    bool startTransfer(tarvenix::TransferJob *worker, const tarvenix::TransferRequest &request);
    void onTransferEnded(tarvenix::TransferJob *job, const tarvenix::TransferRecord &record);
    // The question before a firmware download, when the user wants it asked.
    bool confirmFirmware(const tarvenix::FileFacts &facts);
    // Asks whether to replace what existingTarget() described.
    bool confirmOverwrite(const QString &existing);
    // The save's dialog and refusals; false when the save is cancelled or refused. *replace
    // says whether the user agreed to replace an existing file.
    bool askSaveTarget(bool *replace);

    // Device link.
    void startDeviceEvents();

    // Tray, moving and closing.
    void createTrayIcon();
    bool stopTransferForExit();
    void toggleShown();
    // Why the minimise button cannot put the window away on this desktop; empty when it can.
    static QString minimiseRefusal();
    void explainMinimise(QPushButton *button);

    // The two Run commands, which tell the file they would send.
    QPushButton *runFWButton = nullptr;
    QPushButton *runDataButton = nullptr;
    ArrowRow *fwRow = nullptr;
    ArrowRow *dataRow = nullptr;
    ArrowRow *saveRow = nullptr;
    Tray *tray = nullptr;
    NotConnectedTip *notConnectedTip = nullptr;
};

extern MainWindow *g_pMainWindow;
