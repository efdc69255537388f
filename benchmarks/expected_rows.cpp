// The player list a fresh program should show after one pass, worked out from the answers
// the service really sent: the oracle of the hardening sweep.
//
//   expected_rows BASE PLAYER_FILE ANSWER_DIR [PREVIOUS_ROWS]
//
// PLAYER_FILE is the program's playerid.txt; ANSWER_DIR/<row>.body holds the bytes that
// came back for row <row> (counted from 0), a missing file meaning nothing came back.
// Prints cells 1 to 6 of every row, tab-separated, one row a line, in GBK: the driver's
// dump-rows format. The answers go through the program's own parser and row update.
// PREVIOUS_ROWS, a dump of the list before the pass, gives the cells a pass leaves alone;
// without it they start empty, as in a fresh program.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/player_file.h"
#include "app/row_update.h"
#include "lookup/poll_answer.h"

namespace {

bool readBytes(const std::string& path, ByteString& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Each line of a dump cut at its tabs into cells 1 to 6 (index 0 stays empty).
std::vector<std::vector<Text>> readDump(const std::string& path) {
    std::vector<std::vector<Text>> rows;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        std::vector<Text> cells(1);
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        cells.resize(7);
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: expected_rows BASE PLAYER_FILE ANSWER_DIR [PREVIOUS_ROWS]\n");
        return 2;
    }
    const std::string base = argv[1];
    ByteString file;
    if (!readBytes(argv[2], file)) {
        std::fprintf(stderr, "expected_rows: cannot read %s\n", argv[2]);
        return 2;
    }
    const TextList names = parsePlayerNames(file);
    const std::vector<std::vector<Text>> previous =
        argc == 5 ? readDump(argv[4]) : std::vector<std::vector<Text>>();
    for (std::size_t row = 0; row < names.size(); ++row) {
        ByteString body;
        readBytes(std::string(argv[3]) + "/" + std::to_string(row) + ".body", body);
        // The program keeps the body up to its first zero byte.
        const Text answer = bytesToText(body);
        std::vector<Text> cells = row < previous.size() ? previous[row] : std::vector<Text>(7);
        cells[1] = names[row];
        RowUpdate update = rowUpdateFor(parsePollAnswer(answer, base), names[row]);
        for (const CellWrite& write : update.writes) cells[write.column] = write.text;
        for (int column = 1; column <= 6; ++column) {
            std::fputs(cells[column].c_str(), stdout);
            std::fputc(column == 6 ? '\n' : '\t', stdout);
        }
    }
    return 0;
}
