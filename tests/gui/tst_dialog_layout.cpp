// placeholder
#include <QTest>
class tst_dialog_layout : public QObject { Q_OBJECT };
QTEST_MAIN(tst_dialog_layout)
#include "tst_dialog_layout.moc"
