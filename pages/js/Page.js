// Small behaviour shared by all pages.
// - A text box with data-radio="ID" selects that radio (by a click, so the program hears of it)
//   as soon as the user types into the box.
// - An element with data-focus="ID" moves the focus to that element when clicked.
// - A file dropped on the page must not replace the page.
(function () {
  'use strict';

  document.querySelectorAll('[data-radio]').forEach(function (box) {
    box.addEventListener('input', function () {
      var radio = document.getElementById(box.dataset.radio);
      if (radio && !radio.checked && !radio.disabled)
        radio.click();
    });
  });

  document.querySelectorAll('[data-focus]').forEach(function (link) {
    link.addEventListener('click', function () {
      var target = document.getElementById(link.dataset.focus);
      if (target) {
        target.focus();
        if (target.select)
          target.select();
      }
    });
  });

  ['dragover', 'drop'].forEach(function (name) {
    window.addEventListener(name, function (event) { event.preventDefault(); });
  });
})();
