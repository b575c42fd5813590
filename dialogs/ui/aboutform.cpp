#include "dialogs/ui/aboutform.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include <cmath>

namespace {

// The strip along the left: a reel of film on a dark band.
QPixmap reelPicture() {
    QPixmap pixmap(117, 167);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, 167);
    band.setColorAt(0, QColor(28, 46, 84));
    band.setColorAt(1, QColor(58, 96, 160));
    p.fillRect(pixmap.rect(), band);
    const QPointF c(58, 78);
    p.setPen(QPen(QColor(210, 220, 235), 3));
    p.setBrush(QColor(90, 110, 140));
    p.drawEllipse(c, 38, 38);
    p.setBrush(QColor(28, 46, 84));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 72.0 * M_PI / 180.0;
        p.drawEllipse(c + QPointF(22 * std::cos(a), 22 * std::sin(a)), 9, 9);
    }
    p.setBrush(QColor(210, 220, 235));
    p.drawEllipse(c, 5, 5);
    // The film running off the reel.
    p.setPen(QPen(QColor(210, 220, 235), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath film;
    film.moveTo(c + QPointF(0, 38));
    film.cubicTo(QPointF(60, 140), QPointF(95, 135), QPointF(117, 150));
    p.drawPath(film);
    return pixmap;
}

// The light background behind the program's name.
QPixmap backgroundPicture() {
    QPixmap pixmap(386, 167);
    QPainter p(&pixmap);
    QLinearGradient wash(0, 0, 386, 167);
    wash.setColorAt(0, QColor(246, 248, 252));
    wash.setColorAt(1, QColor(214, 224, 242));
    p.fillRect(pixmap.rect(), wash);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 204, 228), 1));
    for (int x = -160; x < 386; x += 24)
        p.drawLine(QPointF(x, 167), QPointF(x + 160, 0));
    return pixmap;
}

} // namespace

TAboutForm::TAboutForm(QWidget* mainWindow, const QString& productName, const QString& versionText)
    : OwnerDialog(mainWindow) {
    setObjectName(QStringLiteral("TAboutForm"));
    setAccessibleName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(503, 290);

    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setAccessibleName(QStringLiteral("Program"));
    panel1->setGeometry(0, 0, 503, 167);

    auto* imgbk = new QLabel(panel1);
    imgbk->setObjectName(QStringLiteral("imgbk"));
    imgbk->setAccessibleName(QStringLiteral("Picture"));
    imgbk->setGeometry(0, 0, 117, 167);
    imgbk->setScaledContents(true);
    imgbk->setPixmap(reelPicture());

    auto* image2 = new QLabel(panel1);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setAccessibleName(QStringLiteral("Background"));
    image2->setGeometry(117, 0, 503 - 117, 167);
    image2->setScaledContents(true);
    image2->setPixmap(backgroundPicture());

    labProgramName = new QLabel(productName, image2);
    labProgramName->setObjectName(QStringLiteral("labProgramName"));
    labProgramName->setAccessibleName(QStringLiteral("Program Name"));
    QFont big = labProgramName->font();
    big.setPointSize(20);
    big.setBold(true);
    labProgramName->setFont(big);
    labProgramName->setGeometry(24, 40, 340, 40);

    labVersion = new QLabel(QStringLiteral("Version ") + versionText, image2);
    labVersion->setObjectName(QStringLiteral("labVersion"));
    labVersion->setAccessibleName(QStringLiteral("Version"));
    labVersion->setGeometry(26, 86, 340, 20);
    for (QLabel* label : {labProgramName, labVersion}) {
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor(28, 46, 84));
        label->setPalette(pal);
    }

    auto* panBottom = new QWidget(this);
    panBottom->setObjectName(QStringLiteral("panBottom"));
    panBottom->setAccessibleName(QStringLiteral("Buttons"));
    panBottom->setGeometry(0, 167, 503, 290 - 167);
    btnOK = new QPushButton(QStringLiteral("&OK"), panBottom);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnOK->setGeometry(503 - 16 - 80, panBottom->height() - 16 - 25, 80, 25);
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
}

void TAboutForm::btnOKClick() {
    close();
}
