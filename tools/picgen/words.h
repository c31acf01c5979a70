#pragma once
// The words some pictures carry, in every language the app ships pictures for.

#include <QString>
#include <QVector>

namespace tarvenix::picgen {

struct Words {
    QString code;    // the locale the pictures are for; empty for English, the default
    QString family;  // a font with every letter below
    int labelPixels; // the small section labels: Chinese letters need more pixels to be read
    QString loadFirmware;
    QString loadData;
    QString run;
    QString save;
    QString connected;
    QString notConnected;
    QString firmwareRow;
    QString dataRow;
    QString saveRow;
    QString version;
};

// English first.
const QVector<Words> &languages();

// One picture as drawn for a language at a scale (1, or 2 for screens at 200 %).
struct Variant {
    const Words &words;
    int scale;
};

// English at 100 %, the pictures the app's names stand for.
Variant plainVariant();

} // namespace tarvenix::picgen
