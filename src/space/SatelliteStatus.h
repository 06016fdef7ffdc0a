// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace space {

// One decoded beacon item set. Each decoder builds its own record, fills the slots of its
// items, reads them back for its report lines and drops it: no record outlives one decoder.
// Analog items come as a triple: the raw code, the engineering value and a state code.
class SatelliteStatus {
  public:
    SatelliteStatus() = default;

    std::string getSMeterStatus() const;
    std::string getBatteryVoltageStatus() const;
    std::string getBatteryCurrentStatus() const;
    std::string getBus33VoltageStatus() const;
    std::string getSolarCellVoltageStatus() const;
    std::string getFMTransmitterPower() const;
    std::string getProtocol() const;
    std::string getOperatingMode() const;
    std::string getMemoryStatus() const;
    std::string getSensorFlag() const;
    std::string getAntennaFlag() const;
    std::string getPaddleFlag() const;
    std::string getSunSensorPower() const;
    std::string getSunSensorMode() const;
    std::string getSunSensorStatus() const;
    std::string getBatteryTemperatureStatus() const;
    std::string getCommunicationTemperatureStatus() const;

    std::uint8_t sMeterRaw = 0;
    double sMeter = 0.0;
    std::uint8_t sMeterStatus = 0;
    std::uint8_t batteryVoltageRaw = 0;
    double batteryVoltage = 0.0;
    std::uint8_t batteryVoltageStatus = 0;
    std::uint8_t batteryCurrentRaw = 0;
    double batteryCurrent = 0.0;
    std::uint8_t batteryCurrentStatus = 0;
    std::uint8_t bus33VoltageRaw = 0;
    double bus33Voltage = 0.0;
    std::uint8_t bus33VoltageStatus = 0;
    std::uint8_t solarCellVoltageRaw = 0;
    double solarCellVoltage = 0.0;
    std::uint8_t solarCellVoltageStatus = 0;

    std::int32_t uplinkCommand = 0;
    std::uint8_t FMTransmitterPower = 0;
    std::uint8_t protocol = 0;
    std::uint8_t operatingMode = 0;
    std::uint8_t memoryStatus = 0;
    std::uint8_t packetInterval = 0;
    std::uint8_t sensorFlag = 0;
    std::uint8_t antennaFlag = 0;
    std::uint8_t paddleFlag = 0;
    std::uint8_t sunSensorPower = 0;
    std::uint8_t sunSensorMode = 0;
    std::uint8_t sunSensorStatus = 0;
    std::uint8_t sunSensorThreshold = 0;
    std::uint8_t sunSensorCRaw = 0;
    std::uint8_t sunSensorDRaw = 0;
    std::uint8_t sunSensorBlankLevel = 0;
    std::uint8_t sunSensorImageC = 0;
    std::uint8_t sunSensorImageD = 0;

    std::uint8_t batteryTemperatureRaw = 0;
    double batteryTemperature = 0.0;
    std::uint8_t batteryTemperatureStatus = 0;
    std::uint8_t communicationTemperatureRaw = 0;
    double communicationTemperature = 0.0;
    std::uint8_t communicationTemperatureStatus = 0;

    // The telemetry converter: code fullScaleCode stands for fullScaleVoltage volts.
    double fullScaleVoltage = 3.24;
    double fullScaleCode = 255.0;
};

}  // namespace space
