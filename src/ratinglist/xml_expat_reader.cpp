// The general reader: expat, fed in chunks, so every well-formed file gives
// the same players whatever its layout, and every broken one an error with
// its line.
#include <expat.h>

#include <exception>
#include <memory>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"

namespace veltrun {

namespace {

constexpr int kChunkBytes = 256 * 1024;

struct ParserFree {
    void operator()(XML_Parser p) const { XML_ParserFree(p); }
};

// Exceptions must not cross expat's C frames: a handler keeps the first one
// and stops the parser, and the loop rethrows it.
struct HandlerState {
    XML_Parser parser;
    XmlPlayerCollector& collector;
    std::exception_ptr failure;

    template <typename F>
    void Guarded(F&& f) {
        if (failure) return;
        try {
            f();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**) {
    auto* s = static_cast<HandlerState*>(data);
    s->Guarded([&] { s->collector.StartElement(name); });
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
    auto* s = static_cast<HandlerState*>(data);
    s->Guarded([&] { s->collector.EndElement(); });
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    auto* s = static_cast<HandlerState*>(data);
    s->Guarded([&] { s->collector.Text(std::string_view(text, static_cast<std::size_t>(length))); });
}

}  // namespace

void ReadXmlWithExpat(XmlInputFile& input, XmlPlayerCollector& collector, ProgressMeter& meter) {
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) throw std::bad_alloc();
    HandlerState state{parser.get(), collector, nullptr};
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);

    long long done = 0;
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kChunkBytes);
        if (!buffer) throw std::bad_alloc();
        std::size_t got = input.Read(static_cast<char*>(buffer), kChunkBytes);
        done += static_cast<long long>(got);
        XML_Status status = XML_ParseBuffer(parser.get(), static_cast<int>(got), got == 0);
        if (state.failure) std::rethrow_exception(state.failure);
        if (status != XML_STATUS_OK) {
            XML_Error code = XML_GetErrorCode(parser.get());
            throw XmlConversionError(XmlConversionError::Kind::Malformed, XML_ErrorString(code),
                                     static_cast<long long>(XML_GetCurrentLineNumber(parser.get())));
        }
        if (got == 0) return;
        meter.Update(done, collector.PlayersWritten());
    }
}

}  // namespace veltrun
