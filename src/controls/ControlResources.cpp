#include "controls/ControlResources.h"

#include <QFile>

// Q_INIT_RESOURCE must be used at global scope, outside any namespace.
static void RegisterControlResources() {
    Q_INIT_RESOURCE(glyphs);
    Q_INIT_RESOURCE(fonttype);
}

EResNotFound::EResNotFound(const QString& name)
    : std::runtime_error(QStringLiteral("Resource %1 not found").arg(name).toStdString()) {}

void InitControlResources() {
    static const bool registered = [] {
        RegisterControlResources();
        return true;
    }();
    (void)registered;
}

QImage LoadResourceBitmap(const QString& path) {
    InitControlResources();
    QImage image(path);
    if (image.isNull()) {
        throw EResNotFound(path);
    }
    return image;
}

QString GlyphResourcePath(const QString& buttonName) {
    return QStringLiteral(":/glyphs/") + buttonName + QStringLiteral(".bmp");
}
