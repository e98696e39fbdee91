#include "text/OperaJoin.h"

#include "text/TextRules.h"

namespace skarnwald {

bool LooksLikeOperaCopy(std::string_view text) {
    const Pos newline = Find(text, "\n");
    const std::string_view firstLine = newline < 0 ? std::string_view{} : text.substr(0, newline);
    const std::string_view secondPiece = Take(text, newline + 1, static_cast<Pos>(firstLine.size()));
    return newline >= 0 && Find(firstLine, "Uhr") > 0 && Find(secondPiece, "Battle") >= 0;
}

std::string PrepareCopiedReport(std::string text) {
    return LooksLikeOperaCopy(text) ? JoinOperaCells(text) : std::move(text);
}

namespace {

class CellJoiner {
public:
    explicit CellJoiner(std::string_view text) : rest_(text) {}

    std::string Run() {
        while (!rest_.empty()) {
            rest_ = TrimLeft(rest_);
            cell_ = FirstCell();
            if (Find(cell_, "Uhr") > 0)
                JoinWithNextPiece(/*wholeWhenNone=*/false);
            else if (Find(cell_, "Roid-Capture") >= 0 || Find(cell_, "SALVAGE-END-REPORT") >= 0)
                JoinWithNextPiece(/*wholeWhenNone=*/true);
            else if (Find(cell_, "Agility") >= 0)
                EndRow(TakeCells(9));
            else
                JoinCombatRow();
        }
        return std::move(result_);
    }

private:
    // The first cell of a row: the remaining text before its first line feed,
    // or all of it when there is none.
    std::string_view FirstCell() const {
        const Pos newline = Find(rest_, "\n");
        return newline > 0 ? rest_.substr(0, static_cast<std::size_t>(newline)) : rest_;
    }

    void Consume(std::string_view piece) { rest_.remove_prefix(piece.size()); }

    // Header, roid-capture and salvage rows: the cell, then the piece up to the
    // line feed found from the sixth byte, with nothing between them.
    void JoinWithNextPiece(bool wholeWhenNone) {
        result_ += cell_;
        result_.resize(TrimRight(result_).size());
        Consume(cell_);
        const Pos newline = Find(rest_, "\n", 5);
        const std::string_view next = newline >= 0    ? rest_.substr(0, static_cast<std::size_t>(newline))
                                      : wholeWhenNone ? rest_
                                                      : std::string_view{};
        Consume(next);
        result_ += TrimLeft(next);
        result_ += " \n";
    }

    void AppendToRowTrimmed(std::string_view piece) {
        row_ += piece;
        row_.resize(TrimRight(row_).size());
        row_ += ' ';
    }

    std::string& TakeCells(int count) {
        for (int i = 0; i < count; ++i) {
            AppendToRowTrimmed(cell_);
            Consume(cell_);
            rest_ = TrimLeft(rest_);
            const Pos newline = Find(rest_, "\n");
            cell_ = newline < 0 ? std::string_view{} : rest_.substr(0, static_cast<std::size_t>(newline));
        }
        return row_;
    }

    void JoinCombatRow() {
        const std::string_view first = cell_;
        Consume(first);
        rest_ = TrimLeft(rest_);
        cell_ = FirstCell();
        if (Find(cell_, "%") > 0) {
            row_ += ' ';
            row_ += TrimRight(first);
            TakeCells(9);
        } else {
            AppendToRowTrimmed(first);
            TakeCells(Find(cell_, "causes") >= 0 ? 3 : 8);
        }
        EndRow(row_);
    }

    void EndRow(std::string& row) {
        result_ += row;
        result_ += " \n";
        row.clear();
    }

    std::string_view rest_;
    std::string_view cell_;
    std::string row_;
    std::string result_;
};

} // namespace

std::string JoinOperaCells(std::string_view text) {
    return CellJoiner(text).Run();
}

} // namespace skarnwald
