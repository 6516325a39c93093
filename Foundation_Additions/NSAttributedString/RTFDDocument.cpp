#include "Foundation_Additions/NSAttributedString/RTFDDocument.h"

#include "Foundation/AtomicWrite.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QSet>

#include <cctype>
#include <cmath>

namespace tz {

namespace {

constexpr int defaultHalfPoints = 24;
constexpr int maxGroupDepth = 256;

// ---- writing

void appendEscaped(QByteArray& out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\n') {
            out += "\\\n";
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            out += "\\uc0\\u" + QByteArray::number(qint16(u)) + ' ';
        }
    }
}

template <typename T>
int indexIn(QList<T>& table, const T& value)
{
    qsizetype index = table.indexOf(value);
    if (index < 0) {
        index = table.size();
        table.append(value);
    }
    return int(index);
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
        && !name.contains(u'\0') && name != RTFDTextFileName;
}

// The file names the attachments are saved under: their own where possible, unique in the folder.
QStringList attachmentFileNames(const AttributedString& text, QList<TextAttachmentPtr>* attachments)
{
    QStringList names;
    QSet<QString> taken{RTFDTextFileName};
    for (qsizetype i = 0; i < text.length(); ++i) {
        if (text.string()[i] != QChar::ObjectReplacementCharacter)
            continue;
        const auto attachment = text.attributeAtIndex(AttachmentAttributeName, i).value<TextAttachmentPtr>();
        QString name = attachment ? attachment->preferredFileName() : QString();
        name.replace(u'/', u'_').remove(u'\0');
        if (!isPlainFileName(name))
            name = QStringLiteral("Attachment");
        const QFileInfo info(name);
        const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
        const QString suffix =
            info.completeBaseName().isEmpty() || info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
        for (int n = 2; taken.contains(name); ++n)
            name = QStringLiteral("%1 %2%3").arg(base).arg(n).arg(suffix);
        taken.insert(name);
        names.append(name);
        attachments->append(attachment);
    }
    return names;
}

// ---- reading

struct CharacterState
{
    int font = -1;
    int halfPoints = defaultHalfPoints;
    bool bold = false;
    bool italic = false;
    int color = 0;
    std::optional<int> baselineHalfPoints;
    int unicodeSkip = 1;
};

enum class Destination { Text, Skip, FontTable, ColorTable, Graphic };

struct Group
{
    CharacterState state;
    Destination destination = Destination::Text;
};

class Reader
{
public:
    Reader(const QByteArray& rtf, const std::function<QByteArray(const QString&)>& fileContents)
        : _rtf(rtf),
          _fileContents(fileContents)
    {}

    AttributedString read()
    {
        _groups.append(Group{});
        while (_pos < _rtf.size()) {
            const char c = _rtf[_pos++];
            if (c == '{') {
                if (_groups.size() >= maxGroupDepth)
                    return _text;
                _groups.append(
                    Group{top().state, top().destination == Destination::Text ? Destination::Text : Destination::Skip});
                continue;
            }
            if (c == '}') {
                closeGroup();
                if (_groups.isEmpty())
                    break;
                continue;
            }
            if (c == '\\') {
                controlWord();
            } else if (c != '\r' && c != '\n') {
                character(QChar(char16_t(uchar(c))));
            }
        }
        return _text;
    }

private:
    Group& top() { return _groups.last(); }

    void closeGroup()
    {
        if (_groups.size() <= 1) {
            _groups.clear();
            return;
        }
        const Group closed = _groups.takeLast();
        if (closed.destination == Destination::FontTable && !_pendingFontName.isEmpty()) {
            _fonts.insert(_pendingFont, _pendingFontName.trimmed());
            _pendingFontName.clear();
        }
        if (closed.destination == Destination::Graphic && top().destination != Destination::Graphic) {
            appendAttachment(closed.state, _graphicName.trimmed());
            _graphicName.clear();
            _skipPlaceholder = true;
        }
    }

    void controlWord()
    {
        if (_pos >= _rtf.size())
            return;
        const char c = _rtf[_pos];
        if (!std::isalpha(uchar(c))) {
            ++_pos;
            if (c == '\'') {
                const int value = _rtf.mid(_pos, 2).toInt(nullptr, 16);
                _pos += 2;
                character(QChar(char16_t(value & 0xFF)));
            } else if (c == '\n' || c == '\r') {
                character(QChar(u'\n'));
            } else if (c == '*') {
                top().destination = Destination::Skip;
            } else {
                character(QChar(char16_t(uchar(c))));
            }
            return;
        }
        const qsizetype start = _pos;
        while (_pos < _rtf.size() && std::isalpha(uchar(_rtf[_pos])) && _pos - start < 32)
            ++_pos;
        const QByteArray word = _rtf.mid(start, _pos - start);
        std::optional<int> parameter;
        const qsizetype numberStart = _pos;
        if (_pos < _rtf.size() && _rtf[_pos] == '-')
            ++_pos;
        while (_pos < _rtf.size() && std::isdigit(uchar(_rtf[_pos])) && _pos - numberStart < 10)
            ++_pos;
        if (_pos > numberStart)
            parameter = int(
                qBound<qint64>(-0x7FFFFFFFLL, _rtf.mid(numberStart, _pos - numberStart).toLongLong(), 0x7FFFFFFFLL));
        if (_pos < _rtf.size() && _rtf[_pos] == ' ')
            ++_pos;
        apply(word, parameter);
    }

    void apply(const QByteArray& word, std::optional<int> parameter)
    {
        CharacterState& state = top().state;
        const int value = parameter.value_or(1);
        if (word == "fonttbl")
            top().destination = Destination::FontTable;
        else if (word == "colortbl")
            top().destination = Destination::ColorTable;
        else if (word == "NeXTGraphic")
            top().destination = Destination::Graphic;
        else if (word == "info" || word == "stylesheet" || word == "pict" || word == "header" || word == "footer")
            top().destination = Destination::Skip;
        else if (top().destination == Destination::ColorTable)
            colorComponent(word, value);
        else if (word == "f" && top().destination == Destination::FontTable)
            _pendingFont = value;
        else if (word == "f")
            state.font = value;
        else if (word == "fs")
            state.halfPoints = value > 0 ? qMin(value, 4000) : defaultHalfPoints;
        else if (word == "b")
            state.bold = value != 0;
        else if (word == "i")
            state.italic = value != 0;
        else if (word == "cf")
            state.color = value;
        else if (word == "up")
            state.baselineHalfPoints = qBound(-4000, value, 4000);
        else if (word == "dn")
            state.baselineHalfPoints = -qBound(-4000, value, 4000);
        else if (word == "plain") {
            const int skip = state.unicodeSkip;
            state = CharacterState();
            state.unicodeSkip = skip;
        } else if (word == "uc")
            state.unicodeSkip = qBound(0, value, 8);
        else if (word == "u")
            unicode(value);
        else if (word == "par" || word == "line")
            character(QChar(u'\n'));
        else if (word == "tab")
            character(QChar(u'\t'));
    }

    void colorComponent(const QByteArray& word, int value)
    {
        const int component = qBound(0, value, 255);
        if (word == "red")
            _pendingColor.setRed(component);
        else if (word == "green")
            _pendingColor.setGreen(component);
        else if (word == "blue")
            _pendingColor.setBlue(component);
    }

    void unicode(int value)
    {
        character(QChar(char16_t(value & 0xFFFF)));
        // The fallback characters that follow stand for the same character.
        for (int skip = top().state.unicodeSkip; skip > 0 && _pos < _rtf.size(); --skip) {
            const char c = _rtf[_pos];
            if (c == '{' || c == '}')
                break;
            if (c == '\\' && _pos + 1 < _rtf.size() && _rtf[_pos + 1] == '\'')
                _pos += 4;
            else if (c == '\\')
                break;
            else
                ++_pos;
        }
    }

    void character(QChar c)
    {
        switch (top().destination) {
        case Destination::Text:
            if (_skipPlaceholder) {
                _skipPlaceholder = false;
                if (c.unicode() == 0xAC)
                    return;
            }
            _text.appendString(QString(c), attributesOf(top().state));
            break;
        case Destination::FontTable:
            if (c == u';') {
                _fonts.insert(_pendingFont, _pendingFontName.trimmed());
                _pendingFontName.clear();
            } else {
                _pendingFontName += c;
            }
            break;
        case Destination::ColorTable:
            if (c == u';') {
                _colors.append(_pendingColor);
                _pendingColor = QColor(0, 0, 0);
            }
            break;
        case Destination::Graphic: _graphicName += c; break;
        case Destination::Skip: break;
        }
    }

    Attributes attributesOf(const CharacterState& state) const
    {
        Attributes attributes;
        if (const auto it = _fonts.constFind(state.font); it != _fonts.cend()) {
            QFont font(*it);
            font.setPointSizeF(state.halfPoints / 2.0);
            font.setBold(state.bold);
            font.setItalic(state.italic);
            attributes.insert(FontAttributeName, font);
        }
        // Index 0 of the table is the default colour.
        if (state.color > 0 && state.color < _colors.size())
            attributes.insert(ForegroundColorAttributeName, _colors[state.color]);
        if (state.baselineHalfPoints)
            attributes.insert(BaselineOffsetAttributeName, *state.baselineHalfPoints / 2.0);
        return attributes;
    }

    void appendAttachment(const CharacterState& state, const QString& name)
    {
        Attributes attributes = attributesOf(state);
        if (isPlainFileName(name) && _fileContents)
            attributes.insert(AttachmentAttributeName,
                              QVariant::fromValue(TextAttachment::withFile(name, _fileContents(name))));
        _text.appendString(QString(QChar::ObjectReplacementCharacter), attributes);
    }

    const QByteArray& _rtf;
    const std::function<QByteArray(const QString&)>& _fileContents;
    qsizetype _pos = 0;
    QList<Group> _groups;
    bool _skipPlaceholder = false;
    QHash<int, QString> _fonts;
    int _pendingFont = 0;
    QString _pendingFontName;
    QList<QColor> _colors;
    QColor _pendingColor{0, 0, 0};
    QString _graphicName;
    MutableAttributedString _text;
};

bool writeFile(const QString& path, const QByteArray& contents, QString* error)
{
    return writeAtomically(contents, path, error);
}

} // namespace

QByteArray RTFFromAttributedString(const AttributedString& text, const QStringList& fileNames)
{
    QList<QString> fonts;
    QList<QColor> colors;
    QByteArray body;
    qsizetype attachmentIndex = 0;
    for (qsizetype r = 0; r < text.runs().size(); ++r) {
        const Attributes& attributes = text.runs()[r].attributes;
        const Range range = text.rangeOfRun(r);
        body += "\\plain";
        if (const auto it = attributes.constFind(FontAttributeName); it != attributes.cend()) {
            const QFont font = it->value<QFont>();
            body += "\\f" + QByteArray::number(indexIn(fonts, font.family()));
            body += "\\fs" + QByteArray::number(qRound(font.pointSizeF() * 2));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
        }
        if (const auto it = attributes.constFind(ForegroundColorAttributeName); it != attributes.cend())
            body += "\\cf" + QByteArray::number(indexIn(colors, it->value<QColor>().toRgb()) + 1);
        if (const auto it = attributes.constFind(BaselineOffsetAttributeName); it != attributes.cend()) {
            const long halfPoints = std::lround(it->toDouble() * 2);
            body += (halfPoints < 0 ? "\\dn" : "\\up") + QByteArray::number(qAbs(qint64(halfPoints)));
        }
        body += ' ';
        const QStringView characters = QStringView(text.string()).sliced(range.location, range.length);
        qsizetype start = 0;
        for (qsizetype i = 0; i <= characters.size(); ++i) {
            if (i < characters.size() && characters[i] != QChar::ObjectReplacementCharacter)
                continue;
            appendEscaped(body, characters.sliced(start, i - start));
            if (i < characters.size()) {
                const auto attachment = attributes.value(AttachmentAttributeName).value<TextAttachmentPtr>();
                const QString name = fileNames.value(attachmentIndex++);
                const QSize size = attachment ? attachment->image().size() : QSize();
                body += "{{\\NeXTGraphic ";
                appendEscaped(body, name);
                body += " \\width" + QByteArray::number(size.width() * 20) + " \\height"
                    + QByteArray::number(size.height() * 20) + "\n}\\'ac}";
            }
            start = i + 1;
        }
    }
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc0\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        rtf += "\\f" + QByteArray::number(i) + "\\fnil ";
        appendEscaped(rtf, fonts[i]);
        rtf += ';';
    }
    rtf += "}\n{\\colortbl;";
    for (const QColor& color : std::as_const(colors))
        rtf += "\\red" + QByteArray::number(color.red()) + "\\green" + QByteArray::number(color.green()) + "\\blue"
            + QByteArray::number(color.blue()) + ';';
    rtf += "}\n" + body + "}\n";
    return rtf;
}

AttributedString attributedStringFromRTF(const QByteArray& rtf,
                                         const std::function<QByteArray(const QString&)>& fileContents)
{
    return Reader(rtf, fileContents).read();
}

bool writeRTFDToPath(const AttributedString& text, const QString& path, QString* error)
{
    if (!QDir().mkpath(path)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(path);
        return false;
    }
    const QDir folder(path);
    QList<TextAttachmentPtr> attachments;
    const QStringList names = attachmentFileNames(text, &attachments);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray contents = attachments[i] ? attachments[i]->fileContents() : QByteArray();
        if (!writeFile(folder.filePath(names[i]), contents, error))
            return false;
    }
    // Written last, so the text never names a file that is not there yet.
    return writeFile(folder.filePath(RTFDTextFileName), RTFFromAttributedString(text, names), error);
}

std::optional<AttributedString> attributedStringWithRTFDAtPath(const QString& path)
{
    const QDir folder(path);
    QFile file(folder.filePath(RTFDTextFileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray rtf = file.readAll();
    return attributedStringFromRTF(rtf, [&folder](const QString& name) {
        QFile attachment(folder.filePath(name));
        return attachment.open(QIODevice::ReadOnly) ? attachment.readAll() : QByteArray();
    });
}

} // namespace tz
