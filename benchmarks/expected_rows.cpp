// The player list a fresh program should show after one pass, worked out from the answers
// the service really sent: the oracle of the hardening sweep.
//
//   expected_rows BASE PLAYER_FILE ANSWER_DIR
//
// PLAYER_FILE is the program's playerid.txt; ANSWER_DIR/<row>.body holds the bytes that
// came back for row <row> (counted from 0), a missing file meaning nothing came back.
// Prints cells 1 to 6 of every row, tab-separated, one row a line, in GBK: the driver's
// dump-rows format. The answers go through the program's own parser and row update.
#include <cstdio>
#include <fstream>
#include <iterator>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: expected_rows BASE PLAYER_FILE ANSWER_DIR\n");
        return 2;
    }
    const std::string base = argv[1];
    ByteString file;
    if (!readBytes(argv[2], file)) {
        std::fprintf(stderr, "expected_rows: cannot read %s\n", argv[2]);
        return 2;
    }
    const TextList names = parsePlayerNames(file);
    for (std::size_t row = 0; row < names.size(); ++row) {
        ByteString body;
        readBytes(std::string(argv[3]) + "/" + std::to_string(row) + ".body", body);
        // The program keeps the body up to its first zero byte.
        const Text answer = bytesToText(body);
        std::vector<Text> cells(7);
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
