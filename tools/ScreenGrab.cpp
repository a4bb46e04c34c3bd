// tessaro-screengrab: saves a picture of the X screen (or a part of it), for looking at
// the viewer where no one can: on a machine without a display, under Xvfb.
//   tessaro-screengrab FILE.png [WIDTHxHEIGHT+X+Y]

#include <cstdio>

#include <QGuiApplication>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("Aufruf: tessaro-screengrab BILD.png [BREITExHÖHE+X+Y]\n", stderr);
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fputs("Kein Bildschirm.\n", stderr);
        return 1;
    }
    QRect area(QPoint(0, 0), screen->size());
    if (args.size() == 3) {
        const QRegularExpression geometry(QStringLiteral("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"));
        const QRegularExpressionMatch match = geometry.match(args[2]);
        if (!match.hasMatch()) {
            std::fputs("Ungültiger Ausschnitt.\n", stderr);
            return 2;
        }
        area = QRect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
                     match.captured(2).toInt());
    }
    const QPixmap picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return picture.save(args[1]) ? 0 : 1;
}
