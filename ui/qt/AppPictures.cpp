#include "ui/qt/AppPictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: nothing would pull their object file into the program
// unless they are registered by name, outside any namespace.
static void RegisterPictureResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)registered;
}

namespace brannock_qt {
namespace {

// Below this size the simpler drawing is used where one exists.
constexpr int kSmallDrawingLimit = 24;
constexpr int kIconSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 128, 256};

QString ResourcePath(const QString& name) {
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

QPixmap Render(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace

QIcon PictureIcon(const QString& name) {
    RegisterPictureResources();
    const QString full = ResourcePath(name);
    const QString small = ResourcePath(name + QStringLiteral("-16"));
    const bool hasSmall = QFile::exists(small);
    QIcon icon;
    for (int size : kIconSizes) {
        const QString& drawing = hasSmall && size < kSmallDrawingLimit ? small : full;
        icon.addPixmap(Render(drawing, QSize(size, size)));
    }
    return icon;
}

QIcon AppIcon() {
    return PictureIcon(QStringLiteral("app"));
}

QIcon ButtonIcon(ButtonPicture picture) {
    switch (picture) {
        case ButtonPicture::Add:
            return PictureIcon(QStringLiteral("add"));
        case ButtonPicture::Modify:
            return PictureIcon(QStringLiteral("modify"));
        case ButtonPicture::Delete:
            return PictureIcon(QStringLiteral("delete"));
        case ButtonPicture::Up:
            return PictureIcon(QStringLiteral("up"));
        case ButtonPicture::Down:
            return PictureIcon(QStringLiteral("down"));
        case ButtonPicture::Browse:
            return PictureIcon(QStringLiteral("browse"));
    }
    return {};
}

QPixmap AboutSidePicture(qreal devicePixelRatio) {
    RegisterPictureResources();
    const QSize layoutSize(28, 84);
    QPixmap pixmap = Render(ResourcePath(QStringLiteral("about-side")),
                            (QSizeF(layoutSize) * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace brannock_qt
