#pragma once
// Runs several QtTest classes in one program. Each class is run with the program's arguments; a
// report file given as "-o NAME.EXT,FORMAT" becomes NAME-CLASS.EXT for each class, so every class
// keeps its own report instead of the last one writing over the others.

#include <QFileInfo>
#include <QStringList>
#include <QtTest>

#include <initializer_list>

// The arguments for running `testClass`: report files named after it.
inline QStringList ArgumentsFor(const QStringList& arguments, const QString& testClass)
{
    QStringList result = arguments;
    for (qsizetype i = 1; i + 1 < result.size(); ++i) {
        if (result[i] != "-o")
            continue;
        QString& output = result[++i];
        const qsizetype comma = output.lastIndexOf(',');
        const QString file = comma < 0 ? output : output.left(comma);
        if (file == "-")
            continue;
        const QFileInfo info(file);
        const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
        const QString folder = info.path() == "." && !file.startsWith("./") ? QString() : info.path() + "/";
        output =
            folder + info.completeBaseName() + "-" + testClass + suffix + (comma < 0 ? QString() : output.mid(comma));
    }
    return result;
}

// Runs each test (and deletes it); 0 when all passed.
inline int RunTestClasses(int argc, char* argv[], std::initializer_list<QObject*> tests)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    int failures = 0;
    for (QObject* test : tests) {
        failures += QTest::qExec(test, ArgumentsFor(arguments, test->metaObject()->className()));
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
