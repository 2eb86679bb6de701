// Draws the pictures of sample/ (the installation `make run` opens) and writes its
// starting desk.ini. Every picture is ours: simple shapes and gradients.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <tuple>

#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/TemplateStore.h"
#include "store/ProgramPaths.h"

namespace {
QDir g_root;

bool save(const QImage& img, const QString& relative, int quality = -1) {
    const QString path = g_root.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void setFont(QPainter& p, int px, bool bold = true) {
    QFont f("Noto Sans CJK SC");
    f.setPixelSize(px);
    f.setBold(bold);
    p.setFont(f);
}

QImage roundedBar(int w, int h, QColor top, QColor bottom, int radius, int alpha = 255) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    top.setAlpha(alpha);
    bottom.setAlpha(alpha);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
    return img;
}

QImage weatherIcon(const QString& kind, QColor accent) {
    QImage img = canvas(64, 64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto cloud = [&](QPointF at, double s, QColor c) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        QPainterPath path;
        path.addEllipse(at + QPointF(-14 * s, 0), 10 * s, 9 * s);
        path.addEllipse(at + QPointF(0, -6 * s), 13 * s, 12 * s);
        path.addEllipse(at + QPointF(14 * s, 0), 10 * s, 9 * s);
        path.addRect(QRectF(at.x() - 14 * s, at.y(), 28 * s, 9 * s));
        p.drawPath(path.simplified());
    };
    if (kind == "晴" || kind == "多云") {
        p.setPen(QPen(accent, 3));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(kind == "晴" ? 32 : 24, kind == "晴" ? 32 : 24);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, 17), QPointF(0, 24));
            p.restore();
        }
        p.setBrush(accent);
        p.drawEllipse(kind == "晴" ? QPointF(32, 32) : QPointF(24, 24), 13, 13);
    }
    if (kind != "晴") cloud(QPointF(34, 38), 1.0, kind == "阴" ? QColor(150, 150, 160) : Qt::white);
    p.setPen(QPen(kind == "雪" ? Qt::white : QColor(80, 160, 255), 3, Qt::SolidLine, Qt::RoundCap));
    if (kind == "雨")
        for (int x : {22, 34, 46}) p.drawLine(x, 52, x - 4, 60);
    if (kind == "雪")
        for (int x : {22, 34, 46}) p.drawPoint(x, 56);
    return img;
}

QImage decal(const QString& text, QColor c) {
    QImage img = canvas(240, 120);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 230, 120), 4));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(4, 14, 232, 92), 20, 20);
    for (int x : {30, 210}) {
        p.setBrush(QColor(255, 210, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, 14), 10, 10);
    }
    p.setPen(QColor(255, 240, 190));
    setFont(p, 34);
    p.drawText(QRect(4, 14, 232, 92), Qt::AlignCenter, text);
    return img;
}

QImage signBoard(const QString& text, QColor c) {
    QImage img = canvas(200, 120);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 70, 30), 6));
    p.drawLine(100, 70, 100, 118);
    p.setBrush(c);
    p.setPen(QPen(QColor(110, 70, 30), 3));
    p.drawRoundedRect(QRectF(6, 6, 188, 72), 10, 10);
    p.setPen(Qt::white);
    setFont(p, 20);
    p.drawText(QRect(6, 6, 188, 72), Qt::AlignCenter, text);
    return img;
}

QImage iconEffect(QColor c) {
    QImage img = canvas(80, 80);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(40, 40, 40);
    c.setAlpha(170);
    g.setColorAt(0, c);
    c.setAlpha(0);
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 80, 80), 14, 14);
    return img;
}

QImage wallpaper(QColor a, QColor b, const QString& motto) {
    QImage img(1280, 720, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1280, 720);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.fillRect(img.rect(), g);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(255, 255, 255, 18 + 6 * i));
        p.drawEllipse(QPointF(900 + 60 * i, 560 - 50 * i), 260 - 30 * i, 260 - 30 * i);
    }
    p.setPen(QColor(255, 255, 255, 200));
    setFont(p, 54);
    p.drawText(QRect(80, 80, 800, 120), Qt::AlignLeft | Qt::AlignVCenter, motto);
    return img;
}

bool writeDeskIni() {
    // Two areas with every section as a new record holds it (pictures named as the
    // folders above), and the default templates: what the editor shows on first start.
    ProfileStore store(g_root.filePath("desk.ini").toStdString());
    store.weatherTemplates.push_back(makeDefaultWeatherTemplate());
    store.noticeTemplates.push_back(makeDefaultNoticeTemplate());
    GlobalConfig config;
    config.weatherCity = "北京市";
    config.cafeName = "欢迎光临星河网咖";
    config.defaultFont = "微软雅黑";
    config.areasEnabled = true;
    for (auto [name, start, end] : {std::tuple{"默认区域", "0.0.0.0", "0.0.0.0"},
                                    std::tuple{"游戏区", "192.168.1.100", "192.168.1.199"}}) {
        auto area = std::make_unique<ArearConfig>();
        area->name = name;
        area->startIp = start;
        area->endIp = end;
        area->weather.templateGuid = store.weatherTemplates.front()->guid;
        area->notice.templateGuid = store.noticeTemplates.front()->guid;
        config.areas.push_back(std::move(area));
    }
    Status st = SaveEverything(store, config);
    if (!st) std::fprintf(stderr, "desk.ini: %s\n", st.message.c_str());
    return bool(st);
}
}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SAMPLE_FOLDER\n", argv[0]);
        return 2;
    }
    g_root = QDir(QString::fromLocal8Bit(argv[1]));
    g_root.mkpath(".");
    bool ok = true;
    const QString bg = QString::fromUtf8(paths::kBackgrounds) + "/";
    const QColor blue(0x1c, 0x6c, 0xd6), darkBlue(0x0c, 0x3a, 0x80);
    const QColor yellow(0xf5, 0xb3, 0x1f), orange(0xd9, 0x7a, 0x06);
    ok &= save(roundedBar(320, 44, blue, darkBlue, 8), bg + "标题蓝色.png");
    ok &= save(roundedBar(320, 44, yellow, orange, 8), bg + "标题黄色.png");
    ok &=
        save(roundedBar(320, 240, QColor(20, 30, 50), QColor(10, 15, 30), 8, 150), bg + "背景.png");
    ok &= save(roundedBar(320, 130, QColor(40, 110, 200), QColor(20, 60, 130), 10, 170),
               bg + "天气背景.png");
    {
        QImage cal = roundedBar(120, 120, QColor(250, 250, 250), QColor(225, 230, 240), 10);
        QPainter p(&cal);
        p.fillRect(QRect(1, 1, 118, 30), QColor(210, 40, 40));
        ok &= save(cal, bg + "日历.png");
    }
    {
        QImage line = canvas(320, 4);
        QPainter p(&line);
        QLinearGradient g(0, 0, 320, 0);
        g.setColorAt(0, QColor(60, 150, 255, 0));
        g.setColorAt(0.5, QColor(60, 150, 255, 255));
        g.setColorAt(1, QColor(60, 150, 255, 0));
        p.fillRect(line.rect(), g);
        ok &= save(line, bg + "分割线蓝色.png");
    }
    ok &=
        save(roundedBar(640, 64, QColor(0, 0, 0), QColor(30, 30, 30), 30, 120), bg + "标语框.png");

    const QString weather = QString::fromUtf8(paths::kWeather) + "/";
    const std::pair<const char*, QColor> sets[] = {{"天气黄色", QColor(255, 190, 40)},
                                                   {"天气蓝色", QColor(90, 170, 255)}};
    for (const auto& [set, accent] : sets)
        for (const char* kind : {"晴", "多云", "阴", "雨", "雪"})
            ok &= save(weatherIcon(QString::fromUtf8(kind), accent),
                       weather + QString::fromUtf8(set) + "/" + QString::fromUtf8(kind) + ".png");

    const QString decals = QString::fromUtf8(paths::kDecals) + "/";
    ok &= save(decal("新春快乐", QColor(200, 20, 30)), decals + "春节.png");
    ok &= save(decal("国庆快乐", QColor(220, 60, 20)), decals + "国庆.png");
    const QString ill = QString::fromUtf8(paths::kIllustrations) + "/";
    ok &= save(signBoard("文明上网", QColor(30, 120, 60)), ill + "提示牌1.png");
    ok &= save(signBoard("请勿吸烟", QColor(170, 40, 40)), ill + "提示牌2.png");
    const QString fx = QString::fromUtf8(paths::kIconEffects) + "/";
    ok &= save(iconEffect(QColor(80, 170, 255)), fx + "蓝色光晕.png");
    ok &= save(iconEffect(QColor(255, 200, 60)), fx + "金色光晕.png");
    const QString wp = QString::fromUtf8(paths::kWallpapers) + "/";
    ok &= save(wallpaper(QColor(10, 40, 100), QColor(40, 150, 220), "畅游无限"), wp + "07.jpg", 70);
    ok &= save(wallpaper(QColor(60, 20, 80), QColor(220, 90, 120), "欢迎光临"), wp + "01.jpg", 70);
    g_root.mkpath(QString::fromUtf8(paths::kSyncDesktops));
    ok &= writeDeskIni();
    return ok ? 0 : 1;
}
