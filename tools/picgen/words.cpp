#include "words.h"

namespace tarvenix::picgen {

namespace {

Words english()
{
    return {QString(),
            QStringLiteral("DejaVu Sans"),
            11,
            QStringLiteral("Load Firmware"),
            QStringLiteral("Load Data"),
            QStringLiteral("Run"),
            QStringLiteral("Save"),
            QStringLiteral("Device connected"),
            QStringLiteral("Device not connected"),
            QStringLiteral("FIRMWARE"),
            QStringLiteral("DATA"),
            QStringLiteral("SAVE"),
            QStringLiteral("Version:")};
}

Words german()
{
    return {QStringLiteral("de"),
            QStringLiteral("DejaVu Sans"),
            11,
            QStringLiteral("Firmware laden"),
            QStringLiteral("Daten laden"),
            QStringLiteral("Starten"),
            QStringLiteral("Speichern"),
            QStringLiteral("Gerät verbunden"),
            QStringLiteral("Gerät nicht verbunden"),
            QStringLiteral("FIRMWARE"),
            QStringLiteral("DATEN"),
            QStringLiteral("SPEICHERN"),
            QStringLiteral("Version:")};
}

// DejaVu Sans has no Chinese letters; WenQuanYi Micro Hei (fonts-wqy-microhei) has.
Words simplifiedChinese()
{
    return {QStringLiteral("zh_CN"),
            QStringLiteral("WenQuanYi Micro Hei"),
            13,
            QStringLiteral("加载固件"),
            QStringLiteral("加载数据"),
            QStringLiteral("开始"),
            QStringLiteral("保存"),
            QStringLiteral("设备已连接"),
            QStringLiteral("设备未连接"),
            QStringLiteral("固件"),
            QStringLiteral("数据"),
            QStringLiteral("保存"),
            QStringLiteral("版本：")};
}

} // namespace

const QVector<Words> &languages()
{
    static const QVector<Words> all = {english(), german(), simplifiedChinese()};
    return all;
}

Variant plainVariant()
{
    return {languages().first(), 1};
}

} // namespace tarvenix::picgen
