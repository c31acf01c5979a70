// The pictures on a screen scaled by 200 % (QT_SCALE_FACTOR=2), in every
// language they are drawn in: each has its double, the window shows the
// double pixel for pixel, and the words follow the language, as do the
// window's messages.

#include "platform/language.h"
#include "support/dialogs.h"
#include "support/pixels.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QPixmapCache>
#include <QResource>
#include <QtTest>

namespace {

const QString kLoadFirmware = QStringLiteral(":/pics/按钮-Load Firmware.png");
const QString kBackground = QStringLiteral(":/pics/背景.png");

QString twice(const QString &path)
{
    return QString(path).insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
}

// The picture the resource bundle holds for a language, whatever the default one.
QImage pictureIn(const QString &path, const QLocale &language)
{
    const QResource resource(path, language);
    return QImage::fromData(resource.uncompressedData()).convertToFormat(QImage::Format_ARGB32);
}

// The pictures at 100 %, as the window's style sheets name them.
QStringList plainPictures()
{
    QStringList names = QDir(QStringLiteral(":/pics")).entryList();
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString &name) { return name.contains("@2x"); }),
                names.end());
    return names;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

  private slots:
    void cleanup()
    {
        tarvenix::useLanguage(QLocale::c());
        QLocale::setDefault(QLocale::c());
        QPixmapCache::clear();
    }

    void languages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("English") << "en_US";
        QTest::newRow("German") << "de_DE";
        QTest::newRow("Chinese") << "zh_CN";
    }

    void everyPictureHasItsDouble_data() { languages_data(); }

    void everyPictureHasItsDouble()
    {
        QFETCH(QString, code);
        const QLocale language(code);
        const QStringList names = plainPictures();
        QCOMPARE(names.size(), 21);
        for (const QString &name : names) {
            const QString path = QStringLiteral(":/pics/") + name;
            const QImage plain = pictureIn(path, language);
            QVERIFY2(!plain.isNull(), qPrintable(path));
            // The widget rectangles are fixed: every language keeps the English sizes.
            QCOMPARE(plain.size(), pictureIn(path, QLocale::c()).size());
            QCOMPARE(pictureIn(twice(path), language).size(), plain.size() * 2);
        }
    }

    void windowShowsTheDouble_data() { languages_data(); }

    void windowShowsTheDouble()
    {
        QFETCH(QString, code);
        QLocale::setDefault(QLocale(code));
        MainWindow w;
        QCOMPARE(w.size(), QSize(656, 544));
        const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), QSize(1312, 1088));
        // A button's picture, stretched by its style sheet, and the painted
        // background around the buttons, each exactly as drawn at 200 %.
        const QImage button = pictureIn(twice(kLoadFirmware), QLocale(code));
        QCOMPARE(opaquePixelsUnlike(shown, {130, 310}, button), 0);
        const QImage title = pictureIn(twice(kBackground), QLocale(code)).copy(0, 0, 1100, 100);
        QCOMPARE(opaquePixelsUnlike(shown, {0, 0}, title), 0);
        // The 100 % picture stretched to the same place would not be.
        const QImage stretched =
            pictureIn(kLoadFirmware, QLocale(code))
                .scaled(376, 108, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(opaquePixelsUnlike(shown, {130, 310}, stretched) > 1000);
        // And the words are the language's own.
        if (!code.startsWith(QLatin1String("en")))
            QVERIFY(button != pictureIn(twice(kLoadFirmware), QLocale::c()));
    }

    void messagesInTheLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("loadFirst");
        QTest::addColumn<QString>("blocks");
        QTest::newRow("German") << "de"
                                << "Warnung"
                                << "Bitte laden Sie zuerst eine Firmware-Datei."
                                << "Die Datei „odd.bin“ hat 1000 Byte. Das Gerät nimmt nur ganze "
                                   "Blöcke zu 512 Byte an; die Größe muss daher ein Vielfaches "
                                   "von 512 und größer als null sein.";
        QTest::newRow("Chinese") << "zh_CN"
                                 << "警告"
                                 << "请先加载固件文件！"
                                 << "文件“odd.bin”有 1000 字节。设备只接受 512 字节的整块，"
                                    "因此文件大小必须是 512 的非零倍数。";
    }

    // The window's own refusal and one made by the words for failures.
    void messagesInTheLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, warning);
        tarvenix::useLanguage(QLocale(code));
        MainWindow w;
        DialogAnswerer dialogs;
        w.slotPushButtonRunUpdateFW();
        QTemporaryDir dir;
        w.strFWFile = dir.filePath(QStringLiteral("odd.bin"));
        QFile odd(w.strFWFile);
        QVERIFY(odd.open(QIODevice::WriteOnly) && odd.write(QByteArray(1000, 'x')) == 1000);
        odd.close();
        w.slotPushButtonRunUpdateFW();
        QCOMPARE(dialogs.boxes.size(), 2);
        QCOMPARE(dialogs.boxes[0].title, warning);
        QTEST(dialogs.boxes[0].text, "loadFirst");
        QTEST(dialogs.boxes[1].text, "blocks");
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
