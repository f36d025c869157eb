#include "ui/help_window.h"

#include "widgets/contacts.h"
#include "widgets/window_look.h"
#include "widgets/windows_fonts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>

namespace {

const QString Caption = QStringLiteral("Экспертная автоматизированная система (ЗИРС) Тавелин");

// The page's face.
constexpr int TextPixels = 19;

// A paragraph of the page: plain text wrapped at word boundaries inside its
// fixed box, every blank kept as written. Lines follow each other at the
// face's own height (ascent plus descent), with no extra leading, and a paragraph whose last line
// would lose its descenders to the bottom of the box closes up by a pixel or two so that every line
// shows whole.
class Paragraph : public QLabel {
public:
    Paragraph(const QString& text, QWidget* parent) : QLabel(text, parent) {
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QTextLayout layout(text(), font(), this);
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width());
        }
        layout.endLayout();

        const QFontMetricsF metrics(font(), this);
        const int faceHeight = qRound(metrics.ascent() + metrics.descent());
        int lineStep = faceHeight;
        const int lines = layout.lineCount();
        if (lines > 1) {
            const int fitting = (height() - faceHeight) / (lines - 1);
            lineStep = std::clamp(fitting, faceHeight - 2, faceHeight);
        }
        for (int i = 0; i < lines; ++i)
            layout.lineAt(i).setPosition(QPointF(0, i * lineStep));

        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        layout.draw(&painter, QPointF(0, 0));
    }
};

QLabel* AddParagraph(QWidget* parent, const QString& name, const QRect& geometry,
                     const QString& text) {
    auto* label = new Paragraph(text, parent);
    Describe(label, name);
    label->setGeometry(geometry);
    label->setFont(TimesFont(TextPixels));
    SetTextColour(label, Qt::black);
    return label;
}

// The heading's face. MS Sans Serif is a bitmap face; where the registered
// copy lacks the 16-pixel size, Tahoma (its outline successor) stands in
// rather than a smaller heading.
QFont HeadingFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    font.setBold(true);
    if (QFontInfo(font).pixelSize() != 16)
        font.setFamily(QStringLiteral("Tahoma"));
    return font;
}

LinkLabel* AddLink(QWidget* parent, const QString& name, const QRect& geometry,
                   const QString& text) {
    auto* link = new LinkLabel(text, parent);
    Describe(link, name);
    link->setFont(TimesFont(TextPixels, false, true));
    // The box is at least as wide as laid out and grows to the whole caption,
    // so a longer address is never cut off.
    const int captionWidth = link->fontMetrics().horizontalAdvance(text);
    link->setGeometry(geometry.left(), geometry.top(), std::max(geometry.width(), captionWidth),
                      geometry.height());
    return link;
}

} // namespace

TForm6::TForm6(QWidget* parent) : SkinnedDialog(Caption, SystemMenuButton | CloseButton, parent) {
    Describe(this, QStringLiteral("TForm6"));
    resize(ClientWidth, ClientHeight);
    setMinimumSize(107, 36);

    auto* heading = new QLabel(QStringLiteral("СПРАВКА"), this);
    Describe(heading, QStringLiteral("ProductName"));
    heading->setTextFormat(Qt::PlainText);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    heading->setGeometry(414, 61, 84, 20);
    heading->setFont(HeadingFont());
    SetTextColour(heading, QColor(0x00, 0x00, 0x80));

    AddParagraph(
        this, QStringLiteral("Label7"), {31, 114, 922, 75},
        QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\" разработана "
                       "коллективом лаборатории технологии ремонта зданий "
                       "научно-исследовательского института строительных технологий при участии "
                       "специалистов по эксплуатации и ремонту кровель."));
    AddParagraph(this, QStringLiteral("Label8"), {31, 188, 850, 39},
                 QStringLiteral("Все права на программу и её базу данных принадлежат "
                                "разработчикам и защищены законом."));
    AddParagraph(
        this, QStringLiteral("Label9"), {31, 244, 914, 86},
        QStringLiteral("ЗИРС предназначена для многокритериального выбора наиболее эффективного "
                       "варианта технологии ремонта многослойных рулонных и мастичных кровель с "
                       "учетом внутренних и внешних факторов, характеризующих техническое "
                       "состояние кровли, условия производства ремонтных работ и последующей "
                       "эксплуатации отремонтированной кровли."));
    AddParagraph(
        this, QStringLiteral("Label10"), {31, 342, 906, 51},
        QStringLiteral("ЗИРС в своей базе данных содержит параметры двадцати известных вариантов "
                       "технологии, в том числе             с заменой и без замены изношенной "
                       "кровли, а также с нанесением и без нанесения поверх ее ремонтного слоя. "));
    AddParagraph(
        this, QStringLiteral("Label11"), {31, 399, 914, 82},
        QStringLiteral("Алгоритм поиска оптимального варианта технологии, используемый в ЗИРС, "
                       "основан на применении современных методов теории нечетких множеств и "
                       "теории статистических решений. При этом используются следующие принципы "
                       "многокритериальной оптимизации: принцип недостаточного обоснования (по "
                       "критерию Лапласа) и принцип гарантированного результата (по критерию "
                       "Вальда). "));
    AddParagraph(this, QStringLiteral("Label13"), {31, 499, 914, 43},
                 QStringLiteral("Более подробная информация о сравниваемых вариантах технологии "
                                "ремонта многослойных кровель размещена на сайте  "));
    LinkLabel* site =
        AddLink(this, QStringLiteral("label2"), {194, 521, 112, 21}, DevelopersWebSite);
    AddParagraph(this, QStringLiteral("Label12"), {31, 554, 922, 44},
                 QStringLiteral("Замечания и предложения по работе ЗИРС, сведения о замеченных "
                                "неточностях в её базе данных и вопросы о применении программы "
                                "просим направлять по электронной почте непосредственно её "));
    LinkLabel* mail = AddLink(this, QStringLiteral("label1"), {746, 575, 126, 21},
                              QStringLiteral("разработчикам."));

    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    Describe(ok, QStringLiteral("suiButton1"));
    ok->setGeometry(764, 640, 117, 28);
    ok->setFont(PixelFont(QStringLiteral("Tahoma"), 11));
    ok->setCursor(Qt::PointingHandCursor);
    ok->setDefault(true);

    connect(site, &LinkLabel::clicked, this, [this] {
        if (openUrl)
            openUrl(QUrl(DevelopersWebSite));
    });
    connect(mail, &LinkLabel::clicked, this, [this] {
        if (openUrl)
            openUrl(QUrl(QStringLiteral("mailto:") + DevelopersMailbox));
    });
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

void TForm6::showModal() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    placeOnScreen();
    exec();
}

void TForm6::placeOnScreen() {
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}
