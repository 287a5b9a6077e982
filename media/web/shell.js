// Runs inside the game's module before main (emcc --pre-js): the page's file system.
// The game is installed at /game (its images, sounds and tunes come from game.data); its
// settings, scores, errors.txt and replays live in /save, kept in the browser's IndexedDB.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  ENV.XDG_CONFIG_HOME = '/save';
  ENV.XDG_DATA_HOME = '/save';
  FS.mkdir('/save');
  FS.mount(IDBFS, {}, '/save');
  addRunDependency('vex-storage');
  FS.syncfs(true, function (err) {
    if (err) Module.printErr('storage: ' + err);
    removeRunDependency('vex-storage');
  });
});

// Each save is copied to IndexedDB at once; saves made while one copy runs follow in the next.
Module.vexSaves = 0;
(function () {
  var busy = false, again = false;
  function sync() {
    busy = true;
    again = false;
    FS.syncfs(false, function (err) {
      if (err) Module.printErr('storage: ' + err);
      else Module.vexSaves++;
      if (again) sync();
      else busy = false;
    });
  }
  Module.vexSync = function () {
    if (busy) again = true;
    else sync();
  };
  Module.vexSyncing = function () { return busy; };
})();
