#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace zr50 {

namespace {

// The lines of the file, and whether it ends them with CR LF.
QStringList ReadLines(const QString& path, bool* crlf = nullptr) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(f.readAll());
    if (crlf) *crlf = text.contains(QLatin1String("\r\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// "[name]" -> name, else a null text.
QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool IsComment(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

// The key of a "key=value" line, else a null text.
QString KeyOf(const QString& line) {
    if (IsComment(line)) return QString();
    const int eq = line.indexOf(QLatin1Char('='));
    return eq > 0 ? line.left(eq).trimmed() : QString();
}

struct Place {
    int sectionLine = -1;  // line of the section header
    int sectionEnd = -1;   // first line after the section
    int keyLine = -1;
};

Place Find(const QStringList& lines, const QString& section, const QString& key) {
    Place p;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = SectionName(lines[i]);
        if (!name.isNull()) {
            if (p.sectionLine >= 0) {
                p.sectionEnd = i;
                break;
            }
            if (name.compare(section, Qt::CaseInsensitive) == 0) p.sectionLine = i;
            continue;
        }
        if (p.sectionLine >= 0 && p.keyLine < 0 &&
            KeyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0 && !KeyOf(lines[i]).isEmpty())
            p.keyLine = i;
    }
    if (p.sectionLine >= 0 && p.sectionEnd < 0) p.sectionEnd = int(lines.size());
    return p;
}

}  // namespace

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue) {
    const QStringList lines = ReadLines(path);
    const Place p = Find(lines, section, key);
    if (p.keyLine < 0) return defaultValue;
    const QString& line = lines[p.keyLine];
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    bool crlf = false;
    QStringList lines = ReadLines(path, &crlf);
    const Place p = Find(lines, section, key);
    const QString entry = key + QLatin1Char('=') + value;
    if (p.keyLine >= 0) {
        // Keep the key's spelling as the file has it.
        const QString& old = lines[p.keyLine];
        lines[p.keyLine] = old.left(old.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + value;
    } else if (p.sectionLine >= 0) {
        int at = p.sectionEnd;
        while (at > p.sectionLine + 1 && lines[at - 1].trimmed().isEmpty()) --at;
        lines.insert(at, entry);
    } else {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QLatin1String eol(crlf ? "\r\n" : "\n");
    f.write((lines.join(eol) + eol).toUtf8());
    return f.commit();
}

}  // namespace zr50
