// Replays inputs through a fuzz target in the ordinary test suite: every file of the seed corpus
// (which must hold at least one) and of the regression folder (which may not exist yet). An input
// that crashes or raises an error the reader should not raise ends the program abnormally.

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int ReplayFolder(const QString& folderName)
{
    int replayed = 0;
    const QDir folder(folderName);
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "Cannot read %s\n", qPrintable(info.filePath()));
            return -1;
        }
        const QByteArray bytes = file.readAll();
        std::printf("%s\n", qPrintable(info.filePath()));
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        ++replayed;
    }
    return replayed;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s CORPUS [REGRESSIONS]\n", argv[0]);
        return 2;
    }
    const int seeds = ReplayFolder(QString::fromLocal8Bit(argv[1]));
    if (seeds <= 0) {
        std::fprintf(stderr, "The seed corpus %s holds no readable input\n", argv[1]);
        return 1;
    }
    const int regressions =
        argc == 3 && QDir(QString::fromLocal8Bit(argv[2])).exists() ? ReplayFolder(QString::fromLocal8Bit(argv[2])) : 0;
    if (regressions < 0)
        return 1;
    std::printf("Replayed %d seed and %d regression inputs\n", seeds, regressions);
    return 0;
}
