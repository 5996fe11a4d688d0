#pragma once

#include <QValidator>

// Keeps a single-line field free of line breaks: text that arrives with a line
// break (a paste, a drop, a text set by the program) keeps only its first line.
class LineBreakFilter : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
