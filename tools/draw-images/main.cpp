// Draws the pictures that the set-up windows, the device tiles and the board page show,
// and the wiring pictures of the lessons:
//   draw-images <images folder> [<lesson pictures folder>]
#include "Canvas.h"
#include "Pictures.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: draw-images <images folder> [<lesson pictures folder>]\n");
        return 2;
    }
    // The same font on every machine, so that the pictures come out the same.
    for (const QString &file : {u"DejaVuSans.ttf"_s, u"DejaVuSans-Bold.ttf"_s,
                                u"DejaVuSansMono.ttf"_s, u"DejaVuSansMono-Bold.ttf"_s})
        QFontDatabase::addApplicationFont(u"/usr/share/fonts/truetype/dejavu/"_s + file);
    if (!QFontDatabase::families().contains(u"DejaVu Sans"_s)) {
        std::fprintf(stderr, "draw-images: the DejaVu Sans font is not installed\n");
        return 1;
    }

    int failures = 0;
    const auto drawInto = [&failures](const char *folder, const QList<Picture> &pictures) {
        const QDir out(QString::fromLocal8Bit(folder));
        if (!out.exists() && !QDir().mkpath(out.path())) {
            std::fprintf(stderr, "draw-images: cannot create %s\n", folder);
            ++failures;
            return;
        }
        for (const Picture &picture : pictures) {
            Canvas canvas(picture.width, picture.height);
            picture.draw(canvas);
            const bool jpeg = picture.fileName.endsWith(u".jpg"_s);
            if (!canvas.save(out.filePath(picture.fileName), jpeg ? 92 : -1)) {
                std::fprintf(stderr, "draw-images: cannot write %s\n", qPrintable(picture.fileName));
                ++failures;
            }
        }
        std::printf("%lld pictures drawn into %s\n", static_cast<long long>(pictures.size()), qPrintable(out.path()));
    };

    QList<Picture> images;
    images << devicePictures() << switchPictures() << sensorPictures() << motorPictures() << boardPinouts();
    drawInto(argv[1], images);
    if (argc == 3)
        drawInto(argv[2], lessonPictures());
    return failures == 0 ? 0 : 1;
}
