#pragma once
// Answers the modal dialogs a window opens, as a user would, and remembers them.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QString informative;
    QMessageBox::StandardButton defaultButton;
    // Whether the text and the informative text show as they are, never as rich text.
    bool plainText;
};

class DialogAnswerer : public QObject {
    Q_OBJECT
  public:
    DialogAnswerer();

    // Paths typed into file dialogs in turn; an empty one cancels the dialog.
    QStringList files;
    // Buttons pressed in message boxes in turn; Ok (or Yes, or the default) once used up.
    QList<QMessageBox::StandardButton> answers;
    QList<SeenBox> boxes;
    // Called as each box is seen, before it is answered.
    std::function<void(const SeenBox &)> onBox;
    int fileDialogs = 0;

    // The boxes whose text holds the given words.
    int count(const QString &words) const;
    QString texts() const;

  private:
    void poll();
    void answerBox(QMessageBox *box);
    QTimer timer;
    QPointer<QWidget> answered; // the dialog already answered, until it closes
};
