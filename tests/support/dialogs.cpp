#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

DialogAnswerer::DialogAnswerer()
{
    connect(&timer, &QTimer::timeout, this, &DialogAnswerer::poll);
    timer.start(20);
}

int DialogAnswerer::count(const QString &words) const
{
    int n = 0;
    for (const SeenBox &b : boxes)
        n += b.text.contains(words) ? 1 : 0;
    return n;
}

QString DialogAnswerer::texts() const
{
    QStringList all;
    for (const SeenBox &b : boxes)
        all << b.title + ": " + b.text;
    return all.join(" | ");
}

void DialogAnswerer::answerBox(QMessageBox *box)
{
    const auto *informative =
        box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    const bool plain = box->textFormat() == Qt::PlainText &&
                       (!informative || informative->textFormat() == Qt::PlainText);
    boxes.append({box->windowTitle(), box->text(), box->icon(), box->informativeText(),
                  box->standardButton(box->defaultButton()), plain});
    if (onBox)
        onBox(boxes.last());
    QAbstractButton *button = nullptr;
    if (!answers.isEmpty())
        button = box->button(answers.takeFirst());
    for (auto fallback : {QMessageBox::Ok, QMessageBox::Yes}) {
        if (!button)
            button = box->button(fallback);
    }
    // Answered from the event loop, so that a dialog this answer opens is seen
    // by the next poll instead of blocking this one.
    QTimer::singleShot(0, box, [box, button] {
        if (button)
            button->click();
        else
            box->reject();
    });
}

void DialogAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == answered)
        return;
    answered = modal;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        answerBox(box);
    } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
        ++fileDialogs;
        const QString path = files.isEmpty() ? QString() : files.takeFirst();
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (path.isEmpty() || !edit) {
            dialog->reject();
            return;
        }
        edit->setText(path);
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    }
}
