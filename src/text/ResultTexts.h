#pragma once

// The RTF fragments the program writes to the Results window and the log: the row templates with their
// resource IDs and the fixed lines. Each follows the fragment rules of docs/architecture.md ("Output"):
// a body without "{\rtf1 ", ending in the "}" that closes the document, without newlines. The comment
// before each gives the kind it is sent with.

#include "text/StringResource.h"

namespace vantrel::output::res {

// Start-up banner (Plain).
inline constexpr RtfTemplate<> kBanner{
    2000, "Banner",
    R"rtf({\colortbl;\red0\green0\blue255;}{\b Vantrel )rtf" VANTREL_PRODUCT_VERSION
    R"rtf(}  Quenlo Software  {\field{\*\fldinst{HYPERLINK https://www.quenlo.example/vantrel }}{\fldrslt{\cf1\ul www.quenlo.example/vantrel}}}  {\field{\*\fldinst{HYPERLINK mailto:pimbo@quenlo.example }}{\fldrslt{\cf1\ul pimbo@quenlo.example}}} \par })rtf"};

// The log file: the header an empty file receives, and the time line of every start of logging (the
// start-up separator is kEmptyLine).
inline constexpr RtfTemplate<> kLogHeader{0, "LogHeader", R"rtf({\rtf1 \par })rtf"};
inline constexpr RtfTemplate<RtfText> kLogTimeLine{0, "LogTimeLine", R"rtf( \par {%s} \par })rtf"};
// A log that cannot be opened at start (Red): the file and the system's reason.
inline constexpr RtfTemplate<RtfText, RtfText> kLogOpenFailedLine{
    0, "LogOpenFailedLine", R"rtf({Could not open the log file "%s": %s. Logging is off.} \par })rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kLogNotALogLine{
    0, "LogNotALogLine",
    R"rtf({The file "%s" is not a log that Vantrel can add to: %s. The file was left as it was, and logging is off.} \par })rtf"};
// A log past its size limit was moved aside (Plain): where its history went.
inline constexpr RtfTemplate<RtfText> kLogMovedAsideLine{
    0, "LogMovedAsideLine",
    R"rtf({The log reached its size limit and was moved to "%s"; a new log starts here.} \par })rtf"};

// Ping table. Header (HeaderRow).
inline constexpr RtfTemplate<> kPingHeaderRow{
    5500, "PingHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx4000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx5000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx7000 \pard\intbl {\b  Ping #} \cell \pard\intbl {\b  IP Address} \cell \pard\intbl {\b  RTT(ms)} \cell \pard\intbl {\b  TTL} \cell \pard\intbl {\b  Bytes Received} \cell \row \pard })rtf"};
// Reply (Plain): packet number, responder, round-trip time, TTL, bytes received.
inline constexpr RtfTemplate<unsigned, RtfText, unsigned, unsigned, unsigned> kPingReplyRow{
    5001, "PingReplyRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx3000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx4000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx5000 \clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs\cellx7000 \pard\intbl  %u \cell \pard\intbl %s  \cell \pard\intbl  %u \cell \pard\intbl  %u \cell \pard\intbl  %u \cell \row \pard })rtf"};
// Returned data (Plain).
inline constexpr RtfTemplate<RtfText> kPingReturnedDataRow{
    5002, "PingReturnedDataRow",
    R"rtf({\colortbl;\red0\green0\blue255;}\trowd \clbrdrl\brdrw10\brdrs\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\clbrdrr\brdrw10\brdrs\cellx7000 \pard\intbl {Returned Data:  \cf1 %s}\cell \row \pard })rtf"};
// Loss line (Plain): received, sent, loss percentage, and the text "%" (kPercentSign).
inline constexpr RtfTemplate<unsigned, unsigned, double, RtfText> kPingLossLine{
    5003, "PingLossLine", R"rtf({%u of %u packets returned successfully : %.1f%s PACKET LOSS} \par })rtf"};
// Round-trip line (Plain): maximum, minimum, average.
inline constexpr RtfTemplate<int, int, int> kPingRoundTripLine{
    5004, "PingRoundTripLine",
    R"rtf({Round Trip Time (in milliseconds) Maximum/ Minimum/Average: %d/%d/%d}\par })rtf"};
// The same to the microsecond with the mean deviation (PreciseTimes).
inline constexpr RtfTemplate<RtfText, RtfText, RtfText, RtfText> kPingPreciseRoundTripLine{
    0, "PingPreciseRoundTripLine",
    R"rtf({Round Trip Time (in milliseconds) Maximum/ Minimum/Average/Mean Deviation: %s/%s/%s/%s}\par })rtf"};
inline constexpr RtfTemplate<RtfText> kHostRespondedLine{0, "HostRespondedLine",
                                                         R"rtf({ERROR - HOST %s RESPONDED} \par })rtf"};
inline constexpr RtfTemplate<> kPingCanceledLine{0, "PingCanceledLine", R"rtf({Ping canceled} \par })rtf"};
inline constexpr RtfTemplate<> kPingSuccessfulLine{0, "PingSuccessfulLine",
                                                   R"rtf({Ping Successful} \par })rtf"};
inline constexpr RtfTemplate<> kPingUnsuccessfulLine{0, "PingUnsuccessfulLine",
                                                     R"rtf({Ping Unsuccessful} \par })rtf"};

// Trace table. Headers (HeaderRow).
inline constexpr RtfTemplate<> kTraceHeaderRow{
    5005, "TraceHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx4000 \pard\intbl {\b  Hops}\cell \pard\intbl {\b  IP Address \b0}\cell \pard\intbl {\b  RTT(ms)}\cell  \row \pard })rtf"};
inline constexpr RtfTemplate<> kTraceDnsHeaderRow{
    5006, "TraceDnsHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx4000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx9000 \pard\intbl {\b  Hops} \cell \pard\intbl {\b  IP Address\b0} \cell \pard\intbl {\b  RTT(ms)} \cell \pard\intbl {\b  DNS Name} \cell \row \pard })rtf"};
// Hop rows (Plain): hop, address, round-trip time and, with the DNS column, the name or kNoDnsNameFound.
inline constexpr RtfTemplate<unsigned, RtfText, unsigned, RtfText> kTraceNoNameRow{
    5007, "TraceNoNameRow",
    R"rtf({\colortbl;\red160\green160\blue160;\red255\green0\blue0;}\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx1000\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx4000 \clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx9000 \pard\intbl { %u}\cell { %s}\cell { %u}\cell {\cf1  %s}\cell \row \pard })rtf"};
inline constexpr RtfTemplate<unsigned, RtfText, unsigned, RtfText> kTraceNameRow{
    5008, "TraceNameRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx1000\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx4000 \clcbpat2\clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx9000 \pard\intbl { %u}\cell { %s}\cell { %u}\cell { %s}\cell \row \pard })rtf"};
inline constexpr RtfTemplate<unsigned, RtfText, unsigned> kTraceHopRow{
    5009, "TraceHopRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx1000\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx4000 \pard\intbl { %u}\cell { %s}\cell { %u}\cell \row \pard})rtf"};
inline constexpr RtfTemplate<RtfText> kCouldNotBeContactedLine{
    0, "CouldNotBeContactedLine", R"rtf({%s could not be contacted.} \par })rtf"};
// A worker that could not open its echo handle: its message, after the start line (Red).
inline constexpr RtfTemplate<RtfText> kNoEchoHandleLine{0, "NoEchoHandleLine", R"rtf({%s} \par })rtf"};
inline constexpr RtfTemplate<> kEmptyLine{0, "EmptyLine", R"rtf( \par })rtf"};
inline constexpr RtfTemplate<> kHostReachedLine{0, "HostReachedLine", R"rtf({Host reached} \par })rtf"};
inline constexpr RtfTemplate<> kHostNotReachedLine{0, "HostNotReachedLine",
                                                   R"rtf({Host not reached.} \par })rtf"};
inline constexpr RtfTemplate<> kTraceCanceledLine{0, "TraceCanceledLine", R"rtf({Trace canceled} \par })rtf"};

// Echo-failure rows (ErrorRow): hop or packet number and the status text. Trace without and with the
// DNS column, and the ping table.
inline constexpr RtfTemplate<unsigned, RtfText> kTraceErrorRow{
    5010, "TraceErrorRow",
    R"rtf({\colortbl;\red255\green0\blue0;}\trowd \clcbpat1\clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\cellx4000 \pard\intbl  %u \cell  %s \cell \row \pard })rtf"};
inline constexpr RtfTemplate<unsigned, RtfText> kTraceDnsErrorRow{
    5011, "TraceDnsErrorRow",
    R"rtf({\colortbl;\red255\green0\blue0;}\trowd \clcbpat1\clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\clbrdrr\brdrw10\brdrs\cellx9000 \pard\intbl  %u \cell  %s \cell \row \pard })rtf"};
inline constexpr RtfTemplate<unsigned, RtfText> kPingErrorRow{
    5012, "PingErrorRow",
    R"rtf({\colortbl;\red255\green0\blue0;}\trowd \clcbpat1\clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1000 \clcbpat1\clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\clbrdrr\brdrw10\brdrs\cellx7000 \pard\intbl  {%u} \cell  {%s} \cell \row \pard })rtf"};

// SeqScan and ListScan tables. Headers (HeaderRow).
inline constexpr RtfTemplate<> kScanHeaderRow{
    5013, "ScanHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx2000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3000 \pard\intbl {\b  IP Address} \cell \pard\intbl {\b  RTT(ms)} \cell  \row \pard })rtf"};
// The DNS header as the scans use it. The row defines three cells and gives three texts: a "\cell"
// before the first "\pard\intbl" would start a fourth and push every heading one column to the right
// of its data, so there is none.
inline constexpr RtfTemplate<> kScanDnsHeaderRow{
    5015, "ScanDnsHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx2000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3000 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx8000 \pard\intbl {\b  IP Address\b0} \cell \pard\intbl {\b  RTT(ms)} \cell \pard\intbl {\b  DNS Name} \cell \row \pard })rtf"};
// Answered, without DNS column (Plain): address, round-trip time.
inline constexpr RtfTemplate<RtfText, unsigned> kScanAnsweredRow{
    5014, "ScanAnsweredRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx2000 \clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx3000 \pard\intbl  %s \cell \pard\intbl  %u \cell  \row \pard })rtf"};
// Answered, with DNS column (Plain): address or host, round-trip time, name.
inline constexpr RtfTemplate<RtfText, unsigned, RtfText> kScanAnsweredNameRow{
    5016, "ScanAnsweredNameRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clcbpat2\clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx8000 \pard\intbl { %s}\cell { %u}\cell { %s}\cell \row \pard })rtf"};
// No answer, without DNS column (Red): address, kNoAnswerMark.
inline constexpr RtfTemplate<RtfText, RtfText> kScanNoAnswerRow{
    5017, "ScanNoAnswerRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx2000 \clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx3000 \pard\intbl  %s \cell \pard\intbl  %s \cell  \row \pard })rtf"};
// No answer with DNS column, or a ListScan name that did not resolve (Red): three texts.
inline constexpr RtfTemplate<RtfText, RtfText, RtfText> kScanNoAnswerNameRow{
    5018, "ScanNoAnswerNameRow",
    R"rtf({\colortbl;\red0\green0\blue0;}\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clcbpat2\clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx8000 \pard\intbl { %s}\cell { %s}\cell {\cf1  %s}\cell \row \pard })rtf"};
// Answered, no name found (Plain): address, round-trip time, kNoDnsNameFoundBlank.
inline constexpr RtfTemplate<RtfText, unsigned, RtfText> kScanAnsweredNoNameRow{
    5019, "ScanAnsweredNoNameRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clcbpat2\clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx8000 \pard\intbl { %s}\cell { %u}\cell {\cf1 %s}\cell \row \pard })rtf"};
// No answer, no name found (Red): address, kNoAnswerMark, kNoDnsNameFoundBlank.
inline constexpr RtfTemplate<RtfText, RtfText, RtfText> kScanNoAnswerNoNameRow{
    5020, "ScanNoAnswerNoNameRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2000 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3000 \clcbpat2\clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx8000 \pard\intbl { %s}\cell { %s}\cell {\cf1  %s}\cell \row \pard })rtf"};
// Scan start lines (Bold, through AppendResult) and end lines (Bold), each with the time stamp.
inline constexpr RtfTemplate<RtfText> kSeqScanStartLine{
    0, "SeqScanStartLine", R"rtf( \par {Starting Sequence Scan - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kSeqScanEndLine{0, "SeqScanEndLine",
                                                      R"rtf({Sequence Scan ended - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kSeqScanCanceledLine{0, "SeqScanCanceledLine",
                                                           R"rtf({Sequence Scan canceled - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kListScanStartLine{0, "ListScanStartLine",
                                                         R"rtf( \par {Starting List Scan - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kListScanEndLine{0, "ListScanEndLine",
                                                       R"rtf({ListScan ended - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kListScanCanceledLine{0, "ListScanCanceledLine",
                                                            R"rtf({ListScan canceled - %s} \par })rtf"};
// The watch list: its start and end, and a host's change of state (the host, with its name in brackets
// when it has one; "up", "degraded" or "down"; the moment of the probe that changed it).
inline constexpr RtfTemplate<RtfText> kWatchStartLine{0, "WatchStartLine",
                                                      R"rtf( \par {Starting Watch - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kWatchEndLine{0, "WatchEndLine", R"rtf({Watch ended - %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText, RtfText, RtfText> kWatchChangeLine{0, "WatchChangeLine",
                                                                         R"rtf({%s is %s - %s} \par })rtf"};

// Lookup report (Plain). 5024 is the link that fills the second cell of 5025; both its arguments are the
// name.
inline constexpr RtfTemplate<RtfText, RtfText> kLookupAddressRow{
    5021, "LookupAddressRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1500 \clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrl\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx5000 \pard\intbl { %s} \cell  {  %s} \cell  \row \pard })rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kLookupMoreAddressRow{
    5022, "LookupMoreAddressRow",
    R"rtf(\trowd \clbrdrb\brdrw10\brdrs\clbrdrl\brdrw10\brdrs \cellx1500\clbrdrb\brdrw10\brdrs\clbrdrl\brdrw10\brdrs\clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx5000 \pard\intbl { %s} \cell  {  %s} \cell  \row \pard })rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kLookupMoreAddressOpenRow{
    5023, "LookupMoreAddressOpenRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \cellx1500 \clbrdrl\brdrw10\brdrs\clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx5000 \pard\intbl { %s} \cell  {  %s} \cell  \row \pard })rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kLookupLink{
    5024, "LookupLink", R"rtf({\field{\*\fldinst{HYPERLINK http://%s }}{\fldrslt{\cf1\ul %s}}})rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kLookupNameRow{
    5025, "LookupNameRow",
    R"rtf({\colortbl;\red0\green0\blue255;}\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx1500 \clbrdrr\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrl\brdrw10\brdrs \clbrdrb\brdrw10\brdrs\cellx5000 \pard\intbl { %s} \cell  {\cf1  %s} \cell  \row \pard })rtf"};

// Host lookups and their cancelling (all Red).
inline constexpr RtfTemplate<RtfText> kLookingUpLine{
    0, "LookingUpLine", R"rtf(\par {Looking up IP Address for '%s'....}\par})rtf"}; // Plain
inline constexpr RtfTemplate<RtfText> kLookupRequestFailedLine{
    0, "LookupRequestFailedLine", R"rtf( \par Host lookup failed (%s)\par })rtf"};
inline constexpr RtfTemplate<RtfText> kReverseLookupRequestFailedLine{
    0, "ReverseLookupRequestFailedLine", R"rtf(Host lookup failed (%s)\par })rtf"};
inline constexpr RtfTemplate<RtfText> kLookupFailedLine{0, "LookupFailedLine",
                                                        R"rtf({Host lookup failed (%s)} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kLocalLookupFailedLine{
    0, "LocalLookupFailedLine", R"rtf({Local Host lookup failed (%s)} \par })rtf"};
inline constexpr RtfTemplate<> kNoLookupInProgressLine{0, "NoLookupInProgressLine",
                                                       R"rtf( \par {No host lookup in progress.} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kCancelLookupFailedLine{
    0, "CancelLookupFailedLine", R"rtf( \par {"Cancel host lookup" failed (%s).} \par })rtf"};
inline constexpr RtfTemplate<> kLookupCanceledLine{0, "LookupCanceledLine",
                                                   R"rtf({Host lookup canceled.} \par })rtf"};
inline constexpr RtfTemplate<> kCancelingPingLine{0, "CancelingPingLine",
                                                  R"rtf({Canceling ping...} \par })rtf"};
inline constexpr RtfTemplate<> kCancelingTraceLine{0, "CancelingTraceLine",
                                                   R"rtf({Canceling trace...} \par })rtf"};

// Start lines, written through AppendStartLine: the host fills the first "%s", the last "%s" is left for
// the time (startLineFormat does both steps' first half).
inline constexpr RtfTemplate<RtfText, RtfText> kPingStartLine{0, "PingStartLine", "Starting ping to %s - %s"};
inline constexpr RtfTemplate<RtfText, RtfText> kTraceStartLine{0, "TraceStartLine",
                                                               "Starting trace to %s - %s"};
inline constexpr RtfTemplate<RtfText> kLookupStartLine{0, "LookupStartLine", "Starting lookup on %s - "};
inline constexpr RtfTemplate<RtfText, RtfText> kContPingStartLine{0, "ContPingStartLine",
                                                                  "Starting continuous ping to %s - %s"};

// Socket library start-up and report.
inline constexpr RtfTemplate<RtfText> kWinsockStartupFailedLine{
    0, "WinsockStartupFailedLine", R"rtf({Winsock startup failed ( %s)}\par })rtf"}; // RedBold
// Also the status text after the start (Blue).
inline constexpr RtfTemplate<RtfText> kWinsockStartedLine{0, "WinsockStartedLine",
                                                          R"rtf(%s  started OK.\par })rtf"};
// Also the status text when the local name cannot be read (Red).
inline constexpr RtfTemplate<RtfText> kLocalHostNameFailedLine{
    0, "LocalHostNameFailedLine", R"rtf(Local Host lookup failed ( %s).\par })rtf"};
inline constexpr RtfTemplate<RtfText> kAdditionalLocalAddressLine{
    0, "AdditionalLocalAddressLine", R"rtf({Additional Local IP address: %s}\par })rtf"};
inline constexpr RtfTemplate<> kWinsockInfoLine{0, "WinsockInfoLine",
                                                R"rtf(\par {Winsock Information} \par })rtf"};
inline constexpr RtfTemplate<int, int> kWinsockVersionLine{0, "WinsockVersionLine",
                                                           R"rtf({Version: %d.%d} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kWinsockDescriptionLine{0, "WinsockDescriptionLine",
                                                              R"rtf({Description: %s} \par })rtf"};
inline constexpr RtfTemplate<RtfText> kWinsockSystemStatusLine{0, "WinsockSystemStatusLine",
                                                               R"rtf({System Status: %s} \par })rtf"};
inline constexpr RtfTemplate<unsigned> kWinsockMaxSocketsLine{
    0, "WinsockMaxSocketsLine", R"rtf({Maximum sockets per process: %u} \par })rtf"};
inline constexpr RtfTemplate<unsigned> kWinsockMaxDatagramLine{
    0, "WinsockMaxDatagramLine", R"rtf({Maximum datagram packet size: %u} \par })rtf"};

// ISPinger.
inline constexpr RtfTemplate<RtfText> kIspActivatedLine{
    0, "IspActivatedLine", R"rtf( \par {ISPinger activated - pinging %s.} \par})rtf"}; // Plain
inline constexpr RtfTemplate<RtfText> kIspFindingLine{
    0, "IspFindingLine", R"rtf( \par {ISPinger is finding IP address for %s...} \par})rtf"}; // Plain
// Red, followed by the socket error text as a fragment of its own. The text leaves the document open;
// the log and the pipeline close it (see balancedFragment).
inline constexpr RtfTemplate<> kIspLookupRequestFailedLine{
    0, "IspLookupRequestFailedLine",
    R"rtf( \par {ISPinger server host lookup failed. Check your Winsock setup. \par})rtf"};
inline constexpr RtfTemplate<RtfText, RtfText> kIspResolvedLine{
    0, "IspResolvedLine", R"rtf({ISPinger activated - pinging %s [%s].} \par})rtf"}; // Plain
inline constexpr RtfTemplate<> kIspLookupFailedLine{
    0, "IspLookupFailedLine", R"rtf( \par {ISPinger server lookup failed.} \par})rtf"}; // Red
// Plain: success rate, kPercentSign, server.
inline constexpr RtfTemplate<int, RtfText, RtfText> kIspStoppedLine{
    0, "IspStoppedLine", R"rtf( \par {ISPinger stopped - %d%s ping success rate to %s.} \par })rtf"};
// The socket library's error text after a failed server lookup (Red).
inline constexpr RtfTemplate<RtfText> kIspWinsockErrorLine{0, "IspWinsockErrorLine", R"rtf({%s} \par })rtf"};
inline constexpr RtfTemplate<> kIspLookupCanceledLine{
    0, "IspLookupCanceledLine",
    R"rtf( \par {ISPinger host lookup canceled - ISPinger inactive.} \par })rtf"}; // Red
inline constexpr RtfTemplate<> kIspShuttingDownLine{
    0, "IspShuttingDownLine", R"rtf( \par {Shutting down ISPinger... \par })rtf"}; // Red

// Texts that fill cells.
inline constexpr RtfTemplate<> kPercentSign{0, "PercentSign", "%"};
inline constexpr RtfTemplate<> kNoDnsNameFound{0, "NoDnsNameFound", "No DNS Name Found"};
inline constexpr RtfTemplate<> kNoDnsNameFoundBlank{0, "NoDnsNameFoundBlank", " No DNS Name Found"};
inline constexpr RtfTemplate<> kNoAnswerMark{0, "NoAnswerMark", "----"};
inline constexpr RtfTemplate<> kTimeoutMark{0, "TimeoutMark", "Timeout"};
inline constexpr RtfTemplate<> kNoIpAddressFound{0, "NoIpAddressFound", "No IP Address Found"};
inline constexpr RtfTemplate<> kOfficialNameLabel{0, "OfficialNameLabel", "Official Name:"};
inline constexpr RtfTemplate<> kAddressLabel{0, "AddressLabel", "IP address:"};
inline constexpr RtfTemplate<> kAddressesLabel{0, "AddressesLabel", "IP addresses:"};
inline constexpr RtfTemplate<> kAliasLabel{0, "AliasLabel", "Alias:"};

} // namespace vantrel::output::res
