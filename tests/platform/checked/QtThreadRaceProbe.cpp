// Run by QtThreadReportsTest in the thread-sanitizer build: paints a picture big enough
// for Qt to hand pieces of it to its own thread pool where there is one, and, when asked,
// races on purpose between two threads of its own. Prints how many of Qt's pool threads
// it saw.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <string>
#include <thread>

namespace {

int gShared = 0;

int RaceOnPurpose()
{
    std::thread other([] { gShared = 1; });
    gShared = 2;
    other.join();
    return gShared;
}

int PoolThreads()
{
    int n = 0;
    DIR* tasks = opendir("/proc/self/task");
    while (dirent* t = tasks ? readdir(tasks) : nullptr) {
        std::string name;
        std::getline(std::ifstream(std::string("/proc/self/task/") + t->d_name + "/comm"), name);
        n += name == "Thread (pooled)";
    }
    if (tasks)
        closedir(tasks);
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(10, 200, 30, 128));
        for (int i = 0; i < 20; ++i)
            p.drawEllipse(QPointF(400, 300), 250 - i, 200 - i);
    }
    const QImage converted = picture.convertToFormat(QImage::Format_RGB888);
    std::printf("pool threads %d, centre %d\n", PoolThreads(), qGreen(converted.pixel(400, 300)));
    if (argc > 1 && std::strcmp(argv[1], "--race") == 0)
        std::printf("raced to %d\n", RaceOnPurpose());
    return 0;
}
