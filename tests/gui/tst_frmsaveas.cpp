// placeholder
#include <QTest>
class tst_frmsaveas : public QObject { Q_OBJECT };
QTEST_MAIN(tst_frmsaveas)
#include "tst_frmsaveas.moc"
