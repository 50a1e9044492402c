// Typesets a Markdown manual into a PDF: a title page with the contents, then the chapters,
// each on a new page, with the page number at the foot of every page.
//   MarkdownPdf INPUT.md OUTPUT.pdf [IMAGE-FOLDER...]
// Pictures are looked up beside the Markdown file, then in each image folder; a missing
// picture is an error, so a manual never goes out with holes in it.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

constexpr double BaseDpi = 96.0; // pictures are sized in screen pixels at this density
// Marks the caption blocks under pictures.
constexpr int CaptionProperty = QTextFormat::UserProperty + 1;

struct THeading {
    int level;
    QString text;
    int page; // 1-based page in the body
};

[[noreturn]] void Fail(const QString& text) {
    std::fprintf(stderr, "MarkdownPdf: %s\n", qPrintable(text));
    std::exit(1);
}

// The description of a picture: the text in ![...](name) of the Markdown source.
QString Caption(const QString& markdown, const QString& name) {
    const QRegularExpression pattern(QStringLiteral("!\\[([^\\]]*)\\]\\(") +
                                     QRegularExpression::escape(name) + QStringLiteral("\\)"));
    const auto match = pattern.match(markdown);
    return match.hasMatch() ? match.captured(1) : QString();
}

// Finds every picture, loads it into the document, shrinks it to the text width and puts its
// description under it as a caption.
void LoadPictures(QTextDocument& doc, const QStringList& folders, QSizeF page,
                  const QString& markdown) {
    const double textWidth = page.width(), maxHeight = page.height() * 0.6;
    std::vector<std::pair<int, QString>> captions; // block end, caption
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat()) continue;
            QTextImageFormat image = format.toImageFormat();
            const QString name = image.name();
            QImage picture;
            for (const QString& folder : folders) {
                const QString path = QDir(folder).filePath(name);
                if (QFileInfo(path).isFile() && picture.load(path)) break;
            }
            if (picture.isNull())
                Fail(QStringLiteral("picture %1 not found in %2").arg(name, folders.join(", ")));
            doc.addResource(QTextDocument::ImageResource, QUrl(name), picture);
            double w = picture.width(), h = picture.height();
            // Within the text width, and short enough to leave room for its text on the page.
            const double shrink = std::min({1.0, textWidth / w, maxHeight / h});
            w *= shrink;
            h *= shrink;
            image.setWidth(w);
            image.setHeight(h);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
            captions.emplace_back(block.position() + block.length() - 1, Caption(markdown, name));
        }
    // From the end, so the positions still hold.
    for (auto it = captions.rbegin(); it != captions.rend(); ++it) {
        if (it->second.isEmpty()) continue;
        QTextCursor cursor(&doc);
        cursor.setPosition(it->first);
        QTextBlockFormat format;
        format.setAlignment(Qt::AlignHCenter);
        format.setBottomMargin(8);
        format.setProperty(CaptionProperty, true);
        QTextCharFormat text;
        text.setFontItalic(true);
        text.setFontPointSize(9.5);
        cursor.insertBlock(format, text);
        cursor.insertText(it->second);
    }
}

// Code in the text's own size, in a monospaced face that matches the body.
void FormatCode(QTextDocument& doc) {
    QTextCharFormat code;
    code.setFontFamilies({QStringLiteral("Liberation Mono")});
    code.setFontPointSize(9);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        const bool codeBlock = format.nonBreakableLines() ||
                               format.hasProperty(QTextFormat::BlockCodeFence) ||
                               format.hasProperty(QTextFormat::BlockCodeLanguage);
        if (codeBlock) {
            QTextBlockFormat indented = format;
            indented.setLeftMargin(18);
            QTextCursor(block).setBlockFormat(indented);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!codeBlock && !fragment.charFormat().fontFixedPitch()) continue;
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(code);
        }
    }
}

// Chapters start on a new page; headings stay with the text after them; tables get rules.
void FormatBlocks(QTextDocument& doc) {
    int chapters = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() == 0) continue;
        QTextCursor cursor(block);
        // The title and the first chapter share the first page.
        if (format.headingLevel() == 1 && ++chapters > 2)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        format.setTopMargin(format.headingLevel() == 1 ? 6 : 12);
        format.setBottomMargin(4);
        cursor.setBlockFormat(format);
        static constexpr double Sizes[] = {0, 20, 15, 12.5, 11, 10.5, 10.5};
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat heading;
        heading.setFontPointSize(Sizes[std::min(format.headingLevel(), 6)]);
        heading.setFontWeight(QFont::Bold);
        heading.setFontFamilies({QStringLiteral("Liberation Sans")});
        cursor.mergeCharFormat(heading);
    }
    std::set<QTextTable*> tables;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        if (QTextTable* table = QTextCursor(block).currentTable()) tables.insert(table);
    for (QTextTable* table : tables) {
        QTextTableFormat format = table->format();
        format.setBorder(0.5);
        format.setBorderBrush(QColor(0x60, 0x60, 0x60));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setTopMargin(4);
        format.setBottomMargin(8);
        table->setFormat(format);
    }
}

// The page holding the bottom of a block (its last line), 0-based.
int LastPage(const QTextBlock& block, double pageHeight) {
    const QRectF rect = block.document()->documentLayout()->blockBoundingRect(block);
    return int((rect.bottom() - 1) / pageHeight);
}

// A caption that the layout pushed onto the next page takes its picture along, so a picture is
// never read without its caption. One move at a time: each shifts everything after it.
void KeepCaptionsWithPictures(QTextDocument& doc, double pageHeight) {
    for (bool moved = true; moved;) {
        moved = false;
        for (QTextBlock block = doc.begin(); block.isValid() && !moved; block = block.next()) {
            if (!block.blockFormat().boolProperty(CaptionProperty)) continue;
            const QTextBlock picture = block.previous();
            QTextBlockFormat format = picture.blockFormat();
            if (LastPage(picture, pageHeight) == LastPage(block, pageHeight) ||
                format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(picture).setBlockFormat(format);
            // The layout's own update after a format change leaves later pages stale.
            doc.markContentsDirty(0, doc.characterCount());
            moved = true;
        }
    }
}

std::vector<THeading> Headings(QTextDocument& doc, double pageHeight) {
    std::vector<THeading> headings;
    auto* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0 || level > 2) continue;
        const double top = layout->blockBoundingRect(block).top();
        headings.push_back({level, block.text(), int(top / pageHeight) + 1});
    }
    return headings;
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// The title page: the title, the first paragraph under it, and the contents.
QString FrontMatter(const QString& title, const std::vector<THeading>& headings, int offset) {
    QString html = QStringLiteral("<h1 style='font-size:26pt'>%1</h1><p>DORVEK 2021</p>"
                                  "<h2>Contents</h2><table width='100%' cellpadding='1'>")
                       .arg(Escaped(title));
    for (const THeading& h : headings) {
        if (h.level == 1 && h.text == title) continue;
        const QString indent =
            h.level == 1 ? QString() : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
        const QString weight = h.level == 1 ? QStringLiteral("bold") : QStringLiteral("normal");
        html += QStringLiteral("<tr><td style='font-weight:%1'>%2%3</td>"
                               "<td align='right'>%4</td></tr>")
                    .arg(weight, indent, Escaped(h.text))
                    .arg(h.page + offset);
    }
    return html + QStringLiteral("</table>");
}

void Paginate(QTextDocument& doc, QSizeF page) {
    doc.setDocumentMargin(0);
    doc.setPageSize(page);
    doc.documentLayout(); // lays the document out
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) Fail(QStringLiteral("usage: MarkdownPdf INPUT.md OUTPUT.pdf [IMAGE-FOLDER...]"));
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QStringList folders{QFileInfo(input).absolutePath()};
    for (int i = 3; i < argc; ++i) folders << QString::fromLocal8Bit(argv[i]);

    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read %1").arg(input));
    const QString markdown = QString::fromUtf8(file.readAll());

    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("DORVEK 2021"));
    const double scale = writer.resolution() / BaseDpi;
    const QRectF paint = writer.pageLayout().paintRectPixels(writer.resolution());
    // Layout in screen pixels; the painter scales to the writer's resolution.
    const double footer = 28;
    const QSizeF page(paint.width() / scale, paint.height() / scale - footer);

    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(10.5);
    auto prepare = [&](QTextDocument& doc) {
        doc.setDefaultFont(font);
        doc.setDefaultStyleSheet(QStringLiteral("code { font-family: 'Liberation Mono'; }"));
    };

    QTextDocument body;
    prepare(body);
    body.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    LoadPictures(body, folders, page, markdown);
    FormatCode(body);
    FormatBlocks(body);
    Paginate(body, page);
    KeepCaptionsWithPictures(body, page.height());
    const auto headings = Headings(body, page.height());
    if (headings.empty() || headings.front().level != 1)
        Fail(QStringLiteral("%1 does not start with a title heading").arg(input));
    const QString title = headings.front().text;
    writer.setTitle(title);

    // Two passes: the contents' own length decides the body's page numbers.
    QTextDocument front;
    prepare(front);
    int frontPages = 1;
    for (int pass = 0; pass < 2; ++pass) {
        front.setHtml(FrontMatter(title, headings, frontPages));
        Paginate(front, page);
        frontPages = front.pageCount();
    }

    QPainter painter(&writer);
    painter.scale(scale, scale);
    QFont footFont(QStringLiteral("Liberation Sans"));
    footFont.setPixelSize(11); // layout pixels, like the pages
    int number = 0;
    const int total = frontPages + body.pageCount();
    auto draw = [&](QTextDocument& doc) {
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (number > 0) writer.newPage();
            ++number;
            painter.save();
            const QRectF clip(0, i * page.height(), page.width(), page.height());
            painter.translate(0, -clip.top());
            painter.setClipRect(clip);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip;
            doc.documentLayout()->draw(&painter, context);
            painter.restore();
            painter.setFont(footFont);
            painter.setPen(QColor(0x50, 0x50, 0x50));
            const QRectF foot(0, page.height() + 8, page.width(), footer - 8);
            painter.drawLine(QLineF(0, page.height() + 6, page.width(), page.height() + 6));
            painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, title);
            painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("Page %1 of %2").arg(number).arg(total));
        }
    };
    draw(front);
    draw(body);
    if (!painter.end()) Fail(QStringLiteral("cannot write %1").arg(output));
    std::printf("%s: %d pages\n", qPrintable(output), total);
    return 0;
}
