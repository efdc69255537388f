// Text and byte-string operations on GBK text.
//
// Text is a std::string of GBK (code page 936) bytes without zero bytes. Positions and
// lengths count bytes from 1; a search that finds nothing gives -1. A byte of 0x80 or
// more is the lead byte of a two-byte character. No operation fails: out-of-range
// arguments give empty results.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
// Ordered list of texts. Callers that speak of "position k" mean element k - 1.
using TextList = std::vector<Text>;
// Bytes with their own length; may hold zero bytes.
using ByteString = std::vector<unsigned char>;

int compareText(std::string_view a, std::string_view b);
int textLength(std::string_view text);
Text concatText(std::initializer_list<std::string_view> parts);

// Steps over two-byte characters: a scan that starts on a character never matches from a
// second byte. Ignoring case folds ASCII letters only, never the second byte of a
// two-byte character.
int findText(std::string_view text, std::string_view needle, int start = 1,
             bool ignoreCase = false);
int findLastText(std::string_view text, std::string_view needle);

Text leftText(std::string_view text, int n);
Text rightText(std::string_view text, int n);
Text midText(std::string_view text, int start, int n);

// The text strictly between the first left marker at or after start and the first
// right marker after it. "#引号" in a marker stands for a double quote.
Text textBetween(std::string_view source, std::string_view left, std::string_view right,
                 int start = 1, bool caseSensitive = false);
Text replaceText(std::string_view text, std::string_view find, std::string_view replacement);
TextList splitText(std::string_view text, std::string_view delimiter);

Text trimText(std::string_view text);
Text removeSpaces(std::string_view text);
Text toLowerText(std::string_view text);
// Full-width digits, letters and signs count as ASCII; then read like atoi, saturating
// at INT_MIN and INT_MAX.
int textToInteger(std::string_view text);
Text spacesText(int n);
Text charText(int code);
// Upper-case digits; a negative n gives the 8 digits of its 32-bit two's complement.
Text hexText(int n);

ByteString textToBytes(std::string_view text);
Text bytesToText(const ByteString& bytes);
ByteString blankBytes(int n);
int byteLength(const ByteString& bytes);
ByteString leftBytes(const ByteString& bytes, int n);
ByteString concatBytes(std::initializer_list<const ByteString*> parts);
bool bytesEqual(const ByteString& a, const ByteString& b);
