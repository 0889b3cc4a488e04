// Writes the program's icon as PNG files for the desktop's icon theme, from the same drawings
// the program shows: <folder>/<size>x<size>/apps/brannock.png for every size given.
// Usage: brannock_render_icons <folder> <size>...
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "ui/qt/AppPictures.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    // Rendering needs no screen: the build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QIcon icon = brannock_qt::AppIcon();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
        if (size <= 0 || !QDir().mkpath(dir) || pixmap.size() != QSize(size, size) ||
            !pixmap.save(dir + QStringLiteral("/brannock.png"))) {
            std::fprintf(stderr, "%s: cannot write the %s px icon\n", argv[0], argv[i]);
            return 1;
        }
    }
    return 0;
}
