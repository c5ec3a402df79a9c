// The byte list of a macro (the page's script unit), run in a bare script engine: timing bytes,
// long pauses, what is dropped, and the length limits.
#include <QFile>
#include <QJSEngine>
#include <QTest>

namespace
{

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

class Script
{
public:
    Script()
    {
        QFile file(QStringLiteral(":/modules/qml/Vq3/macrocode.js"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("macrocode.js is not in the resources");
        const QJSValue result = engine.evaluate(QString::fromUtf8(file.readAll()));
        if (result.isError())
            qFatal("macrocode.js: %s", qPrintable(result.toString()));
        engine.evaluate(QStringLiteral(
            "var codes = {'A': 4, 'B': 5, 'MS-L': 0xF0};"
            "function codeOf(label) { return codes[label] === undefined ? 0 : codes[label] }"));
    }
    QJSValue actions(const QStringList &entries)
    {
        return engine.globalObject().property("parseActions").call(
            {engine.toScriptValue(entries)});
    }
    QByteArray deCode(const QStringList &entries, int repeat)
    {
        const QJSValue list = engine.globalObject().property("deCode").call(
            {actions(entries), repeat, engine.globalObject().property("codeOf")});
        QByteArray bytes;
        const int n = list.property("length").toInt();
        for (int i = 0; i < n; ++i) {
            const double v = list.property(i).toNumber();
            if (v != qint64(v) || v < 0 || v > 255)
                qWarning("value %d is %f, not a byte", i, v);
            bytes += char(qint64(v));
        }
        return bytes;
    }
    QStringList roundTrip(const QStringList &entries)
    {
        const QJSValue list = actions(entries);
        QStringList texts;
        const int n = list.property("length").toInt();
        for (int i = 0; i < n; ++i)
            texts << engine.globalObject().property("actionText").call({list.property(i)}).toString();
        return texts;
    }
    int recordCount(const QStringList &entries)
    {
        return engine.globalObject().property("recordCount").call({actions(entries)}).toInt();
    }

private:
    QJSEngine engine;
};

QStringList pressReleasePairs(int pairs)
{
    QStringList entries;
    for (int i = 0; i < pairs; ++i)
        entries << QStringLiteral("1,A") << QStringLiteral("2,A");
    return entries;
}

} // namespace

class MacroCodeTest : public QObject
{
    Q_OBJECT

private slots:
    void byteLists_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("press, release") << QStringList{"1,A", "2,A"} << 1
                                        << hex("0001 0104 8104 0000");
        QTest::newRow("120 ms between") << QStringList{"1,A", "0,120", "2,A"} << 1
                                        << hex("0001 0c04 8104 0000");
        QTest::newRow("delays summed, trailing dropped")
            << QStringList{"3,MS-L", "0,100", "0,30", "4,MS-L", "0,900"} << 2
            << hex("0002 0df0 81f0 0000");
        QTest::newRow("2000 ms gap after a press") << QStringList{"1,A", "0,2000", "1,B"} << 1
                                                   << hex("0001 0004 0001 0064 0105 0000");
        QTest::newRow("long gap after a release") << QStringList{"2,A", "0,3000", "1,A"} << 1
                                                  << hex("0001 8004 0001 0096 0104 0000");
        QTest::newRow("1270 ms is long") << QStringList{"1,A", "0,1270", "2,A"} << 1
                                         << hex("0001 0004 0001 003f 8104 0000");
        QTest::newRow("1260 ms is not") << QStringList{"1,A", "0,1260", "2,A"} << 1
                                        << hex("0001 7e04 8104 0000");
        QTest::newRow("50 ms steps") << QStringList{"1,A", "0,1000000", "2,A"} << 1
                                     << hex("0001 0004 0002 4e20 8104 0000");
        QTest::newRow("100 ms steps") << QStringList{"1,A", "0,3000000", "2,A"} << 1
                                      << hex("0001 0004 0003 7530 8104 0000");
        QTest::newRow("leading delays dropped") << QStringList{"0,500", "0,20", "1,A", "2,A"}
                                                << 1 << hex("0001 0104 8104 0000");
        QTest::newRow("only key action is the last entry") << QStringList{"0,100", "1,A"} << 1
                                                           << hex("0001");
        QTest::newRow("empty, repeat 300") << QStringList{} << 300 << hex("012c");
        QTest::newRow("repeat 65535") << QStringList{"1,B", "2,B"} << 65535
                                      << hex("ffff 0105 8105 0000");
        // A pause under 10 ms must not read as the long-pause marker 0.
        QTest::newRow("5 ms") << QStringList{"2,A", "0,5", "1,A"} << 1
                              << hex("0001 8104 0104 0000");
        QTest::newRow("unknown label sent as 0") << QStringList{"1,Nope", "2,Nope"} << 1
                                                 << hex("0001 0100 8100 0000");
        QTest::newRow("odd entries ignored")
            << QStringList{"9,A", "1,A", "x", "0,abc", "0", "2,A", "7,B"} << 1
            << hex("0001 0104 8104 0000");
    }
    void byteLists()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, repeat);
        QFETCH(QByteArray, bytes);
        Script script;
        QCOMPARE(script.deCode(entries, repeat).toHex(' '), bytes.toHex(' '));
    }

    void oddEntriesAreSavedBackAsTheyWere()
    {
        Script script;
        const QStringList entries{"1,A", "9,A", "x", "", "0,abc", "2,Nope"};
        QCOMPARE(script.roundTrip(entries), entries);
    }

    void recordCountMatchesTheWholeList()
    {
        Script script;
        QCOMPARE(script.recordCount({}), 2);
        QCOMPARE(script.recordCount({"0,50", "1,A"}), 2);
        QCOMPARE(script.recordCount({"1,A", "0,2000", "2,A", "0,10", "1,A"}), 2 + 6 + 4 + 2);
        // 61 actions make the 126 of the recording limit.
        QStringList entries = pressReleasePairs(30);
        entries << QStringLiteral("1,B");
        QCOMPARE(script.recordCount(entries), 126);
    }

    void aHandEditedMacroNeverSendsMoreThan128Bytes()
    {
        Script script;
        QStringList entries = pressReleasePairs(100);
        entries.insert(3, QStringLiteral("0,5000"));
        QVERIFY(script.recordCount(entries) > 128);
        const QByteArray bytes = script.deCode(entries, 1);
        QVERIFY(bytes.size() <= 128);
        QCOMPARE(bytes.size(), 128);
        // A whole macro: the last action closes with timing 1 and the end pair follows.
        QCOMPARE(bytes.right(4).toHex(' '), hex("8104 0000").toHex(' '));
    }
};

QTEST_GUILESS_MAIN(MacroCodeTest)
#include "test_macro_code.moc"
