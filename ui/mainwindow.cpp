// The window itself: flags, the widget table, workers and painting.

#include "ui/mainwindow.h"

#include "transfer/devicecontroller.h"
#include "ui/dialogplacement.h"
#include "ui/notconnectedtip.h"
#include "ui/windowmenu.h"
#include "workers/transferworkers.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

MainWindow *g_pMainWindow = nullptr;

namespace {

const QString kConnectedStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/Device connected.png);}");
const QString kNotConnectedStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/Device not connected.png);}");
const QString kCloseStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/退出-大.png);}"
                   "QPushButton:hover{border-image: url(:/pics/退出-小.png);}");
const QString kMiniStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/最小化-大.png);}"
                   "QPushButton:hover{border-image: url(:/pics/最小化-小.png);}");
const QString kLoadFWStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/按钮-Load Firmware.png);}"
                   "QPushButton:hover{border-image: url(:/pics/按钮-小-Load firmware.png);}"
                   "QPushButton:pressed{border-image: url(:/pics/按钮-小-Load firmware.png);}");
const QString kRunStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/按钮-Run.png);}"
                   "QPushButton:hover{border-image: url(:/pics/按钮-小-Run .png);}"
                   "QPushButton:pressed{border-image: url(:/pics/按钮-小-Run .png);}");
const QString kLoadDataStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/按钮-Load Data.png);}"
                   "QPushButton:hover{border-image: url(:/pics/按钮-小-Load Data.png);}"
                   "QPushButton:pressed{border-image: url(:/pics/按钮-小-Load Data.png);}");
const QString kSaveStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/按钮-Save.png);}"
                   "QPushButton:hover{border-image: url(:/pics/按钮-Save-小.png);}"
                   "QPushButton:pressed{border-image: url(:/pics/按钮-Save-小.png);}");
const QString kVersionStyle = QStringLiteral(
    "color: rgb(141, 254,3); background-color: rgb(27, 26, 28);border: none;text-align: left;");

using ArrowMembers = MainWindow::ArrowMembers;
const ArrowMembers kFWArrowMembers = {
    &MainWindow::pushButtonFWArrow1, &MainWindow::pushButtonFWArrow2,
    &MainWindow::pushButtonFWArrow3, &MainWindow::pushButtonFWArrow4,
    &MainWindow::pushButtonFWArrow5, &MainWindow::pushButtonFWArrow6};
const ArrowMembers kDataArrowMembers = {
    &MainWindow::pushButtonDataArrow1, &MainWindow::pushButtonDataArrow2,
    &MainWindow::pushButtonDataArrow3, &MainWindow::pushButtonDataArrow4,
    &MainWindow::pushButtonDataArrow5, &MainWindow::pushButtonDataArrow6};
const ArrowMembers kSaveArrowMembers = {
    &MainWindow::pushButtonSaveArrow1, &MainWindow::pushButtonSaveArrow2,
    &MainWindow::pushButtonSaveArrow3, &MainWindow::pushButtonSaveArrow4,
    &MainWindow::pushButtonSaveArrow5, &MainWindow::pushButtonSaveArrow6};

std::array<QPoint, 6> arrowRowAt(int y)
{
    return {{{290, y}, {320, y}, {345, y}, {370, y}, {395, y}, {420, y}}};
}

// The picture drawn at twice the size for a screen scaled by more than 100 %,
// found as Qt finds those of the style sheets ("背景@2x.png").
QPixmap sharpPicture(const QString &path, qreal ratio)
{
    if (ratio > 1) {
        QPixmap twice(QString(path).insert(path.lastIndexOf(QLatin1Char('.')), "@2x"));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2);
            return twice;
        }
    }
    return QPixmap(path);
}

// The tool's icon at each size the bundle has.
QIcon programIcon()
{
    QIcon icon;
    for (const char *size : {"", "@2x"})
        icon.addFile(QStringLiteral(":/pics/logo-32x32%1.png").arg(QLatin1String(size)));
    return icon;
}

} // namespace

Qt::WindowFlags MainWindow::windowFlagsFor(Qt::WindowFlags base)
{
    Qt::WindowFlags flags = base | Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
#ifdef Q_OS_WIN
    flags |= Qt::BypassWindowManagerHint;
#endif
    // On X11 that hint makes the window unmanaged: its own dialogs would open
    // beneath it and it could not be minimised, so it is left out there.
    return flags;
}

MainWindow::MainWindow(QWidget *parent, std::shared_ptr<tarvenix::Capture> capture)
    : QDialog(parent), controller(new tarvenix::DeviceController(this)),
      hidHandle(controller->port()), chHidDevicePath(controller->pathBytes())
{
    controller->record(std::move(capture));
    // The program ends through its own closing paths only, never because a
    // message box closed while this window was hidden in the tray.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlagsFor(windowFlags()));
    // A tool window loses this attribute when its flags are set.
    setAttribute(Qt::WA_QuitOnClose);
    g_pMainWindow = this;
    // The title stays in the background picture; the desktop and screen readers get the
    // tool's name and icon.
    setAccessibleName(QObject::tr("Tarvenix Manager"));
    setWindowIcon(programIcon());
    new DialogPlacement(this);
    backgroundPixmap = sharpPicture(QStringLiteral(":/pics/背景.png"), devicePixelRatioF());
    resize(backgroundPixmap.size() / backgroundPixmap.devicePixelRatio());
    startDeviceEvents();
    buildWidgets();
    followController();
    initHidDevice();
    createWorkers();
    createTrayIcon();
    windowMenu = new WindowMenu(this);
}

MainWindow::~MainWindow()
{
    // The closing paths already stopped any transfer; this covers an owner that deletes
    // the window itself. No worker may outlive the port it uses, and a window that is
    // going shows nothing more.
    const QSignalBlocker untold(controller);
    controller->endTransfer(tarvenix::StopCause::WindowClosed);
    g_pMainWindow = nullptr;
}

QPushButton *MainWindow::makeButton(const QRect &rect, const QString &styleSheet, const char *slot)
{
    auto *button = new QPushButton(QString(), this);
    if (slot)
        connect(button, SIGNAL(clicked()), this, slot, Qt::AutoConnection);
    button->setGeometry(rect);
    button->setStyleSheet(styleSheet);
    return button;
}

ArrowRow *MainWindow::makeArrowRow(const ArrowMembers &members, const std::array<QPoint, 6> &places)
{
    auto *row = new ArrowRow(this, places);
    for (int i = 0; i < 6; ++i)
        this->*members[i] = row->arrows()[i];
    return row;
}

void MainWindow::buildWidgets()
{
    pushButtonConnected = makeButton({230, 72, 232, 22}, kConnectedStyle, nullptr);
    pushButtonNotConnected = makeButton({200, 73, 282, 22}, kNotConnectedStyle, nullptr);
    notConnectedTip = new NotConnectedTip(pushButtonNotConnected);
    QPushButton *close = makeButton({620, 12, 16, 16}, kCloseStyle, SLOT(slotPushButtonClose()));
    QPushButton *mini = makeButton({580, 16, 20, 8}, kMiniStyle, SLOT(slotPushButtonMini()));
    QPushButton *loadFW =
        makeButton({65, 155, 188, 54}, kLoadFWStyle, SLOT(slotPushButtonLoadFW()));
    runFWButton = makeButton({480, 155, 100, 51}, kRunStyle, SLOT(slotPushButtonRunUpdateFW()));
    QPushButton *loadData =
        makeButton({65, 306, 188, 54}, kLoadDataStyle, SLOT(slotPushButtonLoadData()));
    runDataButton = makeButton({480, 306, 100, 51}, kRunStyle, SLOT(slotPushButtonRunUpdateData()));
    fwRow = makeArrowRow(kFWArrowMembers, arrowRowAt(170));
    dataRow = makeArrowRow(kDataArrowMembers, arrowRowAt(322));
    QPushButton *save =
        makeButton({240, 416, 182, 48}, kSaveStyle, SLOT(slotPushButtonRunSaveData()));
    saveRow =
        makeArrowRow(kSaveArrowMembers,
                     {{{255, 472}, {281, 473}, {307, 473}, {333, 473}, {359, 473}, {385, 473}}});
    pushButtonVersion = makeButton({88, 511, 260, 20}, QString(), nullptr);
    pushButtonVersion->setFont(QFont(QStringLiteral("Microsoft Yahei UI"), 8));
    pushButtonVersion->setStyleSheet(kVersionStyle);
    pushButtonConnected->hide();
    pushButtonNotConnected->hide();
    makeAccessible({close, mini, loadFW, runFWButton, loadData, runDataButton, save});
}

void MainWindow::createWorkers()
{
    workerThreadForFW = new WorkerThreadForFW(this);
    workerThreadForData = new WorkerThreadForData(this);
    workerThreadForSaveData = new WorkerThreadForSaveData(this);
    connect(workerThreadForFW, &WorkerThreadForFW::sigRunUpdateFWProcess, this,
            &MainWindow::slotShowRunUpdateFWProcess, Qt::AutoConnection);
    connect(workerThreadForData, &WorkerThreadForData::sigRunUpdateDataProcess, this,
            &MainWindow::slotShowRunUpdateDataProcess, Qt::AutoConnection);
    connect(workerThreadForSaveData, &WorkerThreadForSaveData::sigRunUpdateSaveDataProcess, this,
            &MainWindow::slotShowRunUpdateSaveDataProcess, Qt::AutoConnection);
}

void MainWindow::followController()
{
    connect(controller, &tarvenix::DeviceController::opened, this, &MainWindow::showLink);
    connect(controller, &tarvenix::DeviceController::removed, this, &MainWindow::showRemoved);
    connect(controller, &tarvenix::DeviceController::transferEnded, this,
            &MainWindow::onTransferEnded);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, width(), height()), backgroundPixmap);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    windowMenu->popup(event->globalPos());
}
