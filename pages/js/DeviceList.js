// Shows the devices of NtwkDevList.js as a list of radio buttons and keeps the hidden field
// SelectedDevice as the choice: "DeviceNotInList", or the device's IP address, host name and MAC
// address joined by "-". Texts from the data file are inserted as text only.
var DeviceChoices = (function () {
  'use strict';

  var notInList = 'DeviceNotInList';

  function deviceChoice(device) {
    return device.ip + '-' + device.host + '-' + device.mac;
  }

  function textAt(list, index) {
    return Array.isArray(list) && typeof list[index] === 'string' ? list[index] : '';
  }

  // The devices the data file defines: [{model, ip, host, mac}], in file order.
  function devices(data) {
    var result = [];
    var count = data.deviceCount > 0 ? Math.floor(data.deviceCount) : 0;
    for (var k = 0; k < count; ++k) {
      result.push({ model: textAt(data.ModelName, k), ip: textAt(data.IPAddress, k),
                    host: textAt(data.HostName, k), mac: textAt(data.MACAddress, k) });
    }
    return result;
  }

  function addRow(list, before, device, index) {
    var row = document.createElement('div');
    row.className = 'Check';
    var radio = document.createElement('input');
    radio.type = 'radio';
    radio.name = 'Device';
    radio.id = 'Device-' + index;
    radio.value = deviceChoice(device);
    var label = document.createElement('label');
    label.htmlFor = radio.id;
    var model = document.createElement('span');
    model.className = 'Name';
    model.textContent = device.model;
    label.appendChild(model);
    var detail = document.createElement('span');
    detail.className = 'Detail';
    [device.ip, device.host, device.mac].forEach(function (text) {
      if (text === '')
        return;
      if (detail.firstChild)
        detail.appendChild(document.createTextNode(' \u00B7 '));
      var part = document.createElement('bdi');
      part.textContent = text;
      detail.appendChild(part);
    });
    label.appendChild(detail);
    row.appendChild(radio);
    row.appendChild(label);
    list.insertBefore(row, before);
    return radio;
  }

  function show() {
    var list = document.getElementById('DeviceList');
    var field = document.getElementById('SelectedDevice');
    if (!list || !field)
      return;
    var last = document.getElementById('NotInListRow');
    var radios = devices(window).map(function (device, index) {
      return addRow(list, last, device, index);
    });
    radios.push(document.getElementById('Device-NotInList'));
    document.getElementById('NoDevices').hidden = radios.length > 1;
    radios[0].checked = true;

    function update() {
      var chosen = radios.filter(function (radio) { return radio.checked; })[0];
      field.value = chosen ? chosen.value : notInList;
    }
    list.addEventListener('change', update);
    // The program may have refreshed the field since; Next always hands over what is shown.
    window.addEventListener('click', function (event) {
      if (event.target && event.target.id === 'ButtonNext')
        update();
    }, true);
    update();
  }

  if (typeof document !== 'undefined')
    show();
  return { deviceChoice: deviceChoice, devices: devices };
})();
