#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/file_system.h"
#include "core/file/global_memory_stream.h"

namespace tidemark {

// An in-memory FileSystem for tests. Files are plain byte blocks under their
// paths (no folders); handles keep their file across renames and removals and
// take the same advisory locks as the real one. Any operation can be made to
// fail on its Nth call, and free space can be limited so that writes run out
// part-way like on a full disk. Handles may outlive the file system (a note
// fixture holding its file after the test's file system is gone).
class FaultInjectingFileSystem : public FileSystem {
public:
    enum class Op { kOpen, kRead, kWrite, kSync, kMove, kRemove, kSyncFolder, kCount };

    void Put(const std::string& path, MemoryBlock bytes) {
        auto node = std::make_shared<Node>();
        node->bytes = std::move(bytes);
        m_files[path] = std::move(node);
    }
    bool Has(const std::string& path) const { return m_files.count(path) != 0; }
    std::optional<MemoryBlock> Bytes(const std::string& path) const {
        const auto found = m_files.find(path);
        if (found == m_files.end()) return std::nullopt;
        return found->second->bytes;
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const auto& [path, node] : m_files) paths.push_back(path);
        return paths;
    }
    // A read-only file refuses opens for writing with 5.
    void SetReadOnly(const std::string& path) { m_files.at(path)->readOnly = true; }

    // The nth call of `op` from now on (1 = the next one) fails with `code`.
    void FailNth(Op op, int n, std::uint32_t code) {
        m_state->faults[Index(op)] = Fault{m_state->calls[Index(op)] + n, code};
    }
    // From now on only `bytes` more bytes fit; a write that does not fit
    // stores what does and fails with 112.
    void SetFreeSpace(std::size_t bytes) { m_state->freeSpace = bytes; }
    int Calls(Op op) const { return m_state->calls[Index(op)]; }
    // The size of every write that reached a file, in order.
    const std::vector<std::size_t>& WriteSizes() const { return m_state->writeSizes; }

    std::uint32_t Open(const std::string& path, const FileOpenMode& mode,
                       std::unique_ptr<FileHandle>& handle) override {
        if (const std::uint32_t code = m_state->Call(Op::kOpen)) return code;
        auto found = m_files.find(path);
        if (found == m_files.end()) {
            if (mode.disposition == FileDisposition::kOpenExisting) {
                return ErrorCode::kFileNotFound;
            }
            found = m_files.emplace(path, std::make_shared<Node>()).first;
        }
        const std::shared_ptr<Node> node = found->second;
        if (mode.access != FileAccess::kRead && node->readOnly) return ErrorCode::kAccessDenied;
        if (mode.lock == FileLock::kShared && node->exclusive) return ErrorCode::kSharingViolation;
        if (mode.lock == FileLock::kExclusive && (node->exclusive || node->shared > 0)) {
            return ErrorCode::kSharingViolation;
        }
        if (mode.lock == FileLock::kShared) ++node->shared;
        if (mode.lock == FileLock::kExclusive) node->exclusive = true;
        if (mode.disposition == FileDisposition::kCreateAlways) node->bytes.clear();
        handle = std::make_unique<Handle>(m_state, node, mode);
        return 0;
    }

    std::uint32_t Stat(const std::string& path) override {
        return Has(path) ? 0 : ErrorCode::kFileNotFound;
    }

    std::uint32_t MoveNoReplace(const std::string& from, const std::string& to) override {
        if (const std::uint32_t code = m_state->Call(Op::kMove)) return code;
        const auto found = m_files.find(from);
        if (found == m_files.end()) return ErrorCode::kFileNotFound;
        if (Has(to)) return kAlreadyExists;
        if (found->second->exclusive) return ErrorCode::kSharingViolation;
        m_files[to] = found->second;
        m_files.erase(from);
        return 0;
    }

    std::uint32_t Remove(const std::string& path) override {
        if (const std::uint32_t code = m_state->Call(Op::kRemove)) return code;
        return m_files.erase(path) != 0 ? 0 : ErrorCode::kFileNotFound;
    }

    std::uint32_t SyncFolderOf(const std::string&) override {
        return m_state->Call(Op::kSyncFolder);
    }

private:
    static std::size_t Index(Op op) { return static_cast<std::size_t>(op); }

    struct Node {
        MemoryBlock bytes;
        bool readOnly = false;
        int shared = 0;
        bool exclusive = false;
    };
    struct Fault {
        int call = 0;
        std::uint32_t code = 0;
    };
    // What handles share with the file system.
    struct State {
        int calls[static_cast<std::size_t>(Op::kCount)] = {};
        Fault faults[static_cast<std::size_t>(Op::kCount)] = {};
        std::optional<std::size_t> freeSpace;
        std::vector<std::size_t> writeSizes;

        // Counts a call of `op`; the code of a fault set for it, else 0.
        std::uint32_t Call(Op op) {
            const int call = ++calls[Index(op)];
            const Fault& fault = faults[Index(op)];
            return fault.call == call ? fault.code : 0;
        }
    };

    class Handle : public FileHandle {
    public:
        Handle(std::shared_ptr<State> state, std::shared_ptr<Node> node, FileOpenMode mode)
            : m_state(std::move(state)), m_node(std::move(node)), m_mode(mode) {}
        ~Handle() override { Close(); }

        std::uint32_t Read(void* bytes, std::size_t count, std::size_t& done) override {
            done = 0;
            if (const std::uint32_t code = m_state->Call(Op::kRead)) return code;
            if (m_mode.access == FileAccess::kWrite) return ErrorCode::kAccessDenied;
            const MemoryBlock& data = m_node->bytes;
            if (m_position < data.size()) done = std::min(count, data.size() - m_position);
            if (done > 0) std::memcpy(bytes, data.data() + m_position, done);
            m_position += done;
            return 0;
        }
        std::uint32_t Write(const void* bytes, std::size_t count) override {
            if (const std::uint32_t code = m_state->Call(Op::kWrite)) return code;
            if (m_mode.access == FileAccess::kRead) return ErrorCode::kAccessDenied;
            std::size_t fits = count;
            if (m_state->freeSpace) fits = std::min(count, *m_state->freeSpace);
            MemoryBlock& data = m_node->bytes;
            if (data.size() < m_position + fits) data.resize(m_position + fits);
            if (fits > 0) std::memcpy(data.data() + m_position, bytes, fits);
            m_position += fits;
            if (m_state->freeSpace) *m_state->freeSpace -= fits;
            m_state->writeSizes.push_back(fits);
            return fits == count ? 0 : ErrorCode::kDiskFull;
        }
        std::uint32_t Sync() override { return m_state->Call(Op::kSync); }
        std::uint32_t Size(std::uint64_t& size) override {
            size = m_node->bytes.size();
            return 0;
        }
        std::uint32_t SeekToEnd(std::uint64_t& position) override {
            m_position = m_node->bytes.size();
            position = m_position;
            return 0;
        }
        std::uint32_t Close() override {
            if (!m_node) return 0;
            if (m_mode.lock == FileLock::kShared) --m_node->shared;
            if (m_mode.lock == FileLock::kExclusive) m_node->exclusive = false;
            m_node.reset();
            return 0;
        }

    private:
        std::shared_ptr<State> m_state;
        std::shared_ptr<Node> m_node;
        FileOpenMode m_mode;
        std::size_t m_position = 0;
    };

    std::map<std::string, std::shared_ptr<Node>> m_files;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

}  // namespace tidemark
