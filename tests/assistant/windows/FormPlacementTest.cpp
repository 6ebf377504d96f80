#include "windows/FormPlacement.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kolmasyst;

namespace {

class TfrmStat : public QWidget {};

TEST(FormPlacementTest, SaveThenRestore) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kolmasyst.ini");
    QWidget form;
    form.setObjectName("frmStat");
    form.move(40, 30);
    form.resize(500, 320);
    FormPlacement(path).SaveFormPlacement(&form);
    const QByteArray saved = TestSupport::readFile(path);
    EXPECT_TRUE(saved.startsWith("[frmStat]\nfrmStat.ClassName=QWidget\nfrmStat.Top=30\nfrmStat.Left=40\n"
                                 "frmStat.Width=500\nfrmStat.Height=320\n"))
        << saved.toStdString();

    QWidget other;
    other.setObjectName("frmStat");
    FormPlacement(path).RestoreFormPlacement(&other);
    EXPECT_EQ(other.pos(), QPoint(40, 30));
    EXPECT_EQ(other.size(), QSize(500, 320));
}

TEST(FormPlacementTest, RestoreSkipsUnsetValuesAndMissingComponents) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kolmasyst.ini");
    TestSupport::writeFile(
        path, "[frmListaRap]\nfrmListaRap.Top=15\nfrmListaRap.Width=-9999\nfrmListaRap.Height=250\n"
              "zniknal.Top=1\neKatalog.Left=7\neKatalog.Width=90\n");
    QWidget form;
    form.setObjectName("frmListaRap");
    form.setGeometry(5, 6, 300, 200);
    auto* edit = new QLineEdit(&form);
    edit->setObjectName("eKatalog");
    edit->setGeometry(1, 2, 50, 20);
    FormPlacement(path).RestoreFormPlacement(&form);
    EXPECT_EQ(form.y(), 15);
    EXPECT_EQ(form.width(), 300);
    EXPECT_EQ(form.height(), 250);
    EXPECT_EQ(edit->geometry(), QRect(7, 2, 90, 20));

    QWidget fresh;
    fresh.setObjectName("frmWazDat");
    fresh.setGeometry(11, 12, 130, 140);
    FormPlacement(path).RestoreFormPlacement(&fresh);
    EXPECT_EQ(fresh.geometry(), QRect(11, 12, 130, 140));
    FormPlacement(path).RestoreFormPlacement(nullptr);
    FormPlacement(path).SaveFormPlacement(nullptr);
}

} // namespace
