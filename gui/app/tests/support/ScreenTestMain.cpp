// Window tests on a screen of 1280 x 1024 pixels, at the scale factor DORVEK_SCREEN_SCALE (2: a
// desktop scaled to 640 x 512 logical pixels). Without a display they run offscreen on a
// screen of that size; on a display they use the display as it is.

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

#ifndef DORVEK_SCREEN_SCALE
#define DORVEK_SCREEN_SCALE 1
#endif

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QString config;
    if (platform.isEmpty() || platform == "offscreen") {
        config = QDir::temp().filePath(
            QStringLiteral("dorvek-screen-%1-%2.json").arg(DORVEK_SCREEN_SCALE).arg(::getpid()));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, "
                                      "\"width\": 1280, \"height\": 1024, \"logicalDpi\": 96, "
                                      "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                           .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
        if (DORVEK_SCREEN_SCALE != 1)
            qputenv("QT_SCALE_FACTOR", QByteArray::number(DORVEK_SCREEN_SCALE));
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (!config.isEmpty()) QFile::remove(config);
    return result;
}
