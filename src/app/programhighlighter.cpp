#include "app/programhighlighter.h"

#include "lang/syntax.h"
#include "model/gbk.h"

#include <algorithm>
#include <vector>

namespace talvex {

namespace {

QTextCharFormat Format(const QColor& color, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(color);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

ProgramHighlighter::Role RoleOfName(std::string_view name)
{
    using Role = ProgramHighlighter::Role;
    if (lang::IsKeyword(name))
        return Role::Keyword;
    if (lang::FindCommand(name))
        return Role::Command;
    if (lang::FindSensor(name))
        return Role::Sensor;
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return Role::Variable;
    return Role::Bad;
}

} // namespace

ProgramHighlighter::ProgramHighlighter(QTextDocument* document) : QSyntaxHighlighter(document)
{
    m_formats[static_cast<int>(Role::Keyword)] = Format(QColor(0, 0, 160), true);
    m_formats[static_cast<int>(Role::Command)] = Format(QColor(0, 110, 110), true);
    m_formats[static_cast<int>(Role::Sensor)] = Format(QColor(130, 0, 150));
    m_formats[static_cast<int>(Role::Variable)] = Format(QColor(0, 0, 0));
    m_formats[static_cast<int>(Role::Number)] = Format(QColor(190, 90, 0));
    m_formats[static_cast<int>(Role::String)] = Format(QColor(160, 0, 0));
    m_formats[static_cast<int>(Role::Comment)] = Format(QColor(0, 128, 0), false, true);
    QTextCharFormat bad = Format(QColor(200, 0, 0));
    bad.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    bad.setUnderlineColor(QColor(220, 0, 0));
    m_formats[static_cast<int>(Role::Bad)] = bad;
}

QTextCharFormat ProgramHighlighter::FormatOf(Role role) const
{
    return m_formats[static_cast<int>(role)];
}

void ProgramHighlighter::highlightBlock(const QString& text)
{
    // The lexer works on the GBK bytes the program is made of; its columns
    // count characters, which are the view's positions (GBK lies in the BMP).
    const std::string line = ToGbk(text);
    std::vector<lang::Token> tokens;
    lang::LexLine(line, tokens);
    for (const lang::Token& token : tokens) {
        Role role = Role::Bad;
        switch (token.kind) {
        case lang::TokenKind::Name:
            role = RoleOfName(std::string_view(line).substr(token.begin, token.end - token.begin));
            break;
        case lang::TokenKind::Number:
            role = Role::Number;
            break;
        case lang::TokenKind::String:
            role = Role::String;
            break;
        case lang::TokenKind::Comment:
            role = Role::Comment;
            break;
        case lang::TokenKind::Punct:
            continue;
        case lang::TokenKind::Bad:
            role = Role::Bad;
            break;
        }
        const int start = static_cast<int>(token.column) - 1;
        const int end = static_cast<int>(lang::ColumnAt(line, token.end)) - 1;
        setFormat(start, std::max(end - start, 1), m_formats[static_cast<int>(role)]);
    }
}

} // namespace talvex
