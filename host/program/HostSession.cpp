#include "host/program/HostSession.h"

#include <filesystem>
#include <stdexcept>

#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/framework/CompanyGlobals.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/SetupRecord.h"

namespace kelo::host {

HostSession::HostSession(const std::string& folder, const std::string& user) : m_folder(folder)
{
    // A server company is named by its URL (or a folder naming it), not held in the folder.
    if (store::ServerUrl(folder).empty() && !std::filesystem::is_directory(folder))
        throw std::runtime_error("The company folder " + folder + " does not exist.");
    try {
        m_context = std::make_unique<CBBusContext>(DataContext::Open(folder), user);
    } catch (const std::exception& e) {
        throw std::runtime_error("The folder " + folder + " is not a Kelo company: " + e.what());
    }
    if (!m_context->GetAccessManager().Known())
        throw std::runtime_error("The user " + user + " is not a user of the company in " +
                                 folder + ".");
}

HostSession::~HostSession()
{
    if (g_lpGlobVar == m_block.data()) g_lpGlobVar = nullptr;
}

std::vector<uint8_t> HostSession::ReadSetup()
{
    std::vector<uint8_t> setup(kSetupLength, 0);
    try {
        if (!ReadRec(Context().File(kFileSetup), 1, setup.data())) setup.assign(kSetupLength, 0);
    } catch (const std::exception&) {
        setup.assign(kSetupLength, 0);
    }
    return setup;
}

std::string HostSession::CompanyName() { return GetText(ReadSetup().data(), kSetupCompanyName); }

void HostSession::FillGlobalBlock(const std::string& programDir)
{
    m_block.assign(kGlobalBlockLength, 0);
    GlobalBlock block(m_block.data());
    block.SetContext(&Context());
    block.SetText(kGlobalUserName, UserName());
    block.SetText(kGlobalProgramDir, programDir);
    std::string data = m_folder;
    if (!data.empty() && data.back() != '/') data += '/';
    block.SetText(kGlobalDataPath, data);
    block.SetText(kGlobalLicensee, CompanyName());
    block.SetText(kGlobalSerial, "Kelo Task Manager");
    // The ledgers' aging settings, the housekeeping dates and the last document numbers.
    FillCompanyGlobals(block, Context());
    block.SetI16(kGlobalQuantityDecimals, 2);
    block.SetU32(kGlobalAutoComplete, 1);
    block.SetU32(kGlobalForeignTrader, GetU8(ReadSetup().data(), kSetupForeignTrader) == 1 ? 1 : 0);
    g_lpGlobVar = m_block.data();
}

}  // namespace kelo::host
