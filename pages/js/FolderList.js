// Shows the scan folders of DeviceFolderList.js as check boxes and keeps the hidden field
// FoldersChecked as the checked folder names, each followed by a comma ("A,B,"); within a name
// each percent sign is written "%25" and each comma "%2C", so that a name never ends early
// ("a,b" is "a%2Cb,").
// <body data-folders="device"> lists the folders on the device, unchecked (SelectOp);
// <body data-folders="checked"> lists the folders chosen for removal, checked (ConfirmDelete).
// Texts from the data file are inserted as text only.
var FolderChecks = (function () {
  'use strict';

  function checkedFolderText(names) {
    return names.map(function (name) {
      return name.replace(/%/g, '%25').replace(/,/g, '%2C') + ',';
    }).join('');
  }

  function textAt(list, index) {
    return Array.isArray(list) && typeof list[index] === 'string' ? list[index] : '';
  }

  // The folders the data file defines: [{name, path, user}], in file order.
  function folders(data, kind) {
    var names = kind === 'checked' ? data.aszCheckedFolderName : data.aszFolderName;
    var paths = kind === 'checked' ? data.aszCheckedNetPath : data.aszNetPath;
    var users = kind === 'checked' ? data.aszCheckedUserName : data.aszUserName;
    var count = kind === 'checked' ? data.wNumCheckedFolders : data.wNumFolders;
    var result = [];
    if (!Array.isArray(names) || !(count > 0))
      return result;
    for (var i = 0; i < names.length; ++i) {
      if (typeof names[i] === 'string' && names[i] !== '')
        result.push({ name: names[i], path: textAt(paths, i), user: textAt(users, i) });
    }
    return result;
  }

  function addRow(list, folder, index, checked) {
    var row = document.createElement('div');
    row.className = 'Check';
    var box = document.createElement('input');
    box.type = 'checkbox';
    box.id = 'Folder-' + index;
    box.value = folder.name;
    box.checked = checked;
    var label = document.createElement('label');
    label.htmlFor = box.id;
    var name = document.createElement('span');
    name.className = 'Name';
    name.textContent = folder.name;
    label.appendChild(name);
    var detail = document.createElement('span');
    detail.className = 'Detail';
    [folder.path, folder.user].forEach(function (text) {
      if (text === '')
        return;
      if (detail.firstChild)
        detail.appendChild(document.createTextNode(' \u00B7 '));
      var part = document.createElement('bdi');
      part.textContent = text;
      detail.appendChild(part);
    });
    label.appendChild(detail);
    row.appendChild(box);
    row.appendChild(label);
    list.appendChild(row);
    return box;
  }

  function show() {
    var list = document.getElementById('FolderList');
    var field = document.getElementById('FoldersChecked');
    if (!list || !field)
      return;
    var kind = document.body.dataset.folders;
    var boxes = folders(window, kind).map(function (folder, index) {
      return addRow(list, folder, index, kind === 'checked');
    });
    document.getElementById('NoFolders').hidden = boxes.length !== 0;

    function update() {
      field.value = checkedFolderText(boxes.filter(function (box) { return box.checked; })
                                            .map(function (box) { return box.value; }));
    }
    list.addEventListener('change', function () {
      var remove = document.getElementById('radio-RemoveFolder');
      if (remove && boxes.some(function (box) { return box.checked; }))
        remove.checked = true;
      update();
    });
    // The program may have refreshed the field since; Next always hands over what is shown.
    window.addEventListener('click', function (event) {
      if (event.target && event.target.id === 'ButtonNext')
        update();
    }, true);
    if (kind === 'checked')
      update();
  }

  if (typeof document !== 'undefined')
    show();
  return { checkedFolderText: checkedFolderText, folders: folders };
})();
