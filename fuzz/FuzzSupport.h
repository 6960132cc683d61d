#pragma once

#include <QApplication>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// What every target shares: a headless application for fonts and widgets, and
// the input as bytes.
namespace FuzzSupport {

inline void StartApplication()
{
    static int argc = 1;
    static char name[] = "lumvex-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Decoder warnings about broken inputs are expected by the thousand.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication application(argc, argv);
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run at the first broken invariant, as a crash the fuzzer keeps.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace FuzzSupport
