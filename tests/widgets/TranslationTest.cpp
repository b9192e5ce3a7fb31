// SPDX-License-Identifier: GPL-3.0-or-later
// Started in German, as LANG=de_DE.UTF-8 starts it: the menus, the tool hints, the program's
// messages and Qt's own buttons speak German; the English words stay the source.
#include "WindowFixture.h"
#include "shell/QtPrompts.h"
#include "shell/Translations.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowSpeaksTheUsersLanguage() {
        QVERIFY(installTranslations(*QCoreApplication::instance()));
        WindowFixture f;
        QStringList menus;
        for (QAction* a : f.window.menuBar()->actions()) menus << a->text();
        QCOMPARE(menus.join(' '), QString("Datei Bearbeiten Ansicht Ausgabe Info"));
        QCOMPARE(f.window.action("mnuSaveAs")->text(), QString("Speichern unter …"));
        QVERIFY(f.window.findChild<QToolButton*>("ChkTools0")->toolTip().startsWith("Zeiger:"));
        QCOMPARE(QString(SaveQuestion), QString("Die Datei wurde geändert. Möchten Sie sie speichern?"));
        QCOMPARE(SvgImportedNote.arg("a.svg").arg(1).arg(2).arg(3), QString("a.svg importiert: 1 Umrisse, 2 Punkte, 3 Elemente ausgelassen."));
        QString yes;  // Qt's own words come from Qt's translations
        QTimer::singleShot(0, [&yes] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            yes = box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::Cancel)->click();
        });
        QtPrompts().askYesNoCancel(SaveQuestion);
        QCOMPARE(yes, QString("&Ja"));
    }
};

int main(int argc, char** argv) {
    qputenv("LANG", "de_DE.UTF-8"), qputenv("LC_ALL", "de_DE.UTF-8"), qputenv("LANGUAGE", "de");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TranslationTest.moc"
