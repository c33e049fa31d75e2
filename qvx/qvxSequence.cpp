#include "qvxSequence.h"

#include <new>
#include <string>

#include "qvxReport.h"

namespace {

constexpr int kInitialCapacity = 1023;
constexpr int kLineWidth = 50;

} // namespace

SequenceHolder* NewSequenceHolder()
{
    SequenceHolder* holder = new (std::nothrow) SequenceHolder();
    if (holder == nullptr) return nullptr;
    holder->record = NewFastaSequence();
    if (holder->record == nullptr) {
        FreeSequenceHolder(holder);
        return nullptr;
    }
    try {
        holder->hits.assign(kInitialCapacity + 1, 0);
    } catch (const std::bad_alloc&) {
        FreeSequenceHolder(holder);
        return nullptr;
    }
    holder->capacity = kInitialCapacity;
    return holder;
}

int NextSequence(std::FILE* stream, SequenceHolder* holder)
{
    if (holder == nullptr) return 0;
    if (ReadFastaSequence(stream, holder->record) == 0) return 0;
    if (holder->record->ok == 0) return 0;
    const int length = holder->record->length;
    if (length > holder->capacity) {
        try {
            holder->hits.resize(static_cast<std::size_t>(length) + 1);
        } catch (const std::bad_alloc&) {
            FatalError("not enough memory for sequence " + std::string(holder->record->name) + " (" +
                           std::to_string(length) + " residues)",
                       kStatusMemory);
        }
        holder->capacity = length;
    }
    return 1;
}

int WriteSequence(std::FILE* stream, const SequenceHolder* holder)
{
    if (holder == nullptr || holder->record == nullptr) return 0;
    WriteFastaSequence(stream, holder->record, kLineWidth);
    return 1;
}

void FreeSequenceHolder(SequenceHolder* holder)
{
    if (holder == nullptr) return;
    FreeFastaSequence(holder->record);
    delete holder;
}
